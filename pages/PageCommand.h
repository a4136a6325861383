#pragma once

#include <string>

// Performs one page call: a command name, optionally followed by "|" and an
// argument. The commands arrive together with the pages built from the
// templates; until then every call is accepted and does nothing.
void OnPageCommand(std::string command);
