#pragma once
// Whether the process's standard streams are terminals (a person types and
// reads there) rather than pipes or files.
namespace platform {

bool standardInputIsTerminal();
bool standardErrorIsTerminal();

} // namespace platform
