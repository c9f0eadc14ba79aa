// To add a command: write cli/commands/NAME.cpp with its Command class and a
// factory, declare the factory here, add it to the list below and the file
// to cli/CMakeLists.txt.
#include "cli/command_list.h"

namespace cli {

std::unique_ptr<Command> makeModelsCommand();
std::unique_ptr<Command> makeSelectCommand();
std::unique_ptr<Command> makeInfoCommand();
std::unique_ptr<Command> makeReadCommand();
std::unique_ptr<Command> makeWriteCommand();
std::unique_ptr<Command> makeGeneratorCommand();
std::unique_ptr<Command> makeControlCommand();
std::unique_ptr<Command> makeConfigCommand();
std::unique_ptr<Command> makePresetCommand();
std::unique_ptr<Command> makeMaintenanceCommand();
std::unique_ptr<Command> makeFailureCommand();
std::unique_ptr<Command> makeDumpCommand();
std::unique_ptr<Command> makeDoctorCommand();
std::unique_ptr<Command> makeRunCommand();
std::unique_ptr<Command> makeLintCommand();
std::unique_ptr<Command> makeSaveCommand();
std::unique_ptr<Command> makeLoadCommand();
std::unique_ptr<Command> makeViewCommand();
std::unique_ptr<Command> makeDiffCommand();
std::unique_ptr<Command> makeMpuCommand();
std::unique_ptr<Command> makeDownloadTimingCommand();
std::unique_ptr<Command> makeUmtInitCommand();
std::unique_ptr<Command> makeExpertCommand();

std::vector<std::unique_ptr<Command>> makeCommands() {
    std::vector<std::unique_ptr<Command>> commands;
    for (auto make : {makeModelsCommand, makeSelectCommand, makeInfoCommand, makeReadCommand, makeWriteCommand,
                      makeGeneratorCommand, makeControlCommand, makeConfigCommand, makePresetCommand,
                      makeMaintenanceCommand, makeFailureCommand, makeRunCommand, makeLintCommand, makeSaveCommand,
                      makeLoadCommand, makeViewCommand, makeDiffCommand, makeMpuCommand, makeDownloadTimingCommand,
                      makeUmtInitCommand, makeExpertCommand, makeDumpCommand, makeDoctorCommand})
        commands.push_back(make());
    return commands;
}

} // namespace cli
