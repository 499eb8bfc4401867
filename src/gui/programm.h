#pragma once

// Builds the program's parts, runs the start and lives on in the settings
// window when the run leaves it open. Returns the process's exit status.
int programmStarten(int argc, char** argv);
