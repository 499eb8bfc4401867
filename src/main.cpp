#include "gui/programm.h"

int main(int argc, char** argv)
{
    return programmStarten(argc, argv);
}
