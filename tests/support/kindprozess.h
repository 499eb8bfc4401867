#pragma once

class QProcess;

// A test's server goes when the test goes, also when the test crashes: an
// orphan would keep the test's output open and make ctest wait for its time-out.
void endetMitDemTest(QProcess& prozess);
