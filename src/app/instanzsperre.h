#pragma once

// Answers whether an earlier instance of the program is still running.
class Instanzsperre {
public:
    virtual ~Instanzsperre() = default;
    virtual bool andereInstanzLaeuft() = 0;
};
