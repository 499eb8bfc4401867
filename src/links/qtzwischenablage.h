#pragma once

#include "links/zwischenablage.h"

// The system clipboard, kept filled after the program has ended.
class QtZwischenablage : public Zwischenablage {
public:
    void textSetzen(const QString& text) override;
    void vorbereiten() override;
};
