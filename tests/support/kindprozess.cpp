#include "kindprozess.h"

#include <QProcess>

#include <csignal>
#include <sys/prctl.h>

void endetMitDemTest(QProcess& prozess)
{
    prozess.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}
