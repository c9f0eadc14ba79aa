#pragma once
// One pelaro-cli command: its name, its own options and arguments, what it
// needs set up before it runs, and execute(). A command opens a screen or
// runs a command of app::Commands and renders what it shows; the screen's
// rules stay in the screen.
#include <string>

namespace CLI { class App; }

namespace cli {

class Session;

// What a command needs before it runs; Session::prepare sets it up or
// fails with exit 4.
struct Needs {
    bool station = false;    // the model database in the program home
    bool state = false;      // the application state started: profile, monitor link
    bool loadModel = true;   // with state: load the current model as at start-up
    bool model = false;      // the current model's whole file chain loaded
    bool monitor = false;    // the monitor port open
    bool generator = false;  // the generator opened and reset as at start-up
};

class Command {
public:
    virtual ~Command() = default;
    virtual std::string name() const = 0;
    // One line for --help.
    virtual std::string summary() const = 0;
    // Adds the command's own options and positional arguments.
    virtual void define(CLI::App& app) = 0;
    // Called after parsing.
    virtual Needs needs() const = 0;
    // Runs the command; returns its exit code.
    virtual int execute(Session& session) = 0;
};

} // namespace cli
