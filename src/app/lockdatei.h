#pragma once

#include "app/instanzsperre.h"

#include <QLockFile>

// The single-instance test: a lock file in the user's runtime directory, held
// for the life of the process. A lock left by a killed process does not count.
class Lockdatei : public Instanzsperre {
public:
    explicit Lockdatei(const QString& pfad = standardPfad());
    bool andereInstanzLaeuft() override;

    static QString standardPfad();

private:
    QLockFile m_lock;
};
