#pragma once

#include <QString>

// The program's arguments as one string, the way the user wrote them after the program's name.
QString argumentString(int argc, char** argv);
