#pragma once

#include <QString>

// The system clipboard as the after-upload action sees it.
class Zwischenablage {
public:
    virtual ~Zwischenablage() = default;
    // Replaces the clipboard's content with text, as plain text only.
    virtual void textSetzen(const QString& text) = 0;
    // Called once a text is to come: may start early what textSetzen needs.
    virtual void vorbereiten() { }
};
