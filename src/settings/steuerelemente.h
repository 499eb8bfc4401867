#pragma once

#include <QString>

// The controls of the settings window that carry the settings between the
// store and Optionen: Text1..Text7, Check1..Check4 and the option group Option1.
// Numbers are the controls' own (Text1 is text(1)).
class Steuerelemente {
public:
    virtual ~Steuerelemente() = default;

    virtual QString text(int nummer) const = 0;
    virtual void setText(int nummer, const QString& text) = 0;
    virtual bool istAngehakt(int nummer) const = 0;
    virtual void setAngehakt(int nummer, bool angehakt) = 0;
    virtual void optionWaehlen(int index) = 0;
    // Index of the selected Option1 element, -1 when none is selected.
    virtual int aktiveOptionFinden() const = 0;

    // The enabling rules that a click on Check1 and Check4 runs.
    virtual void proxyRegelAnwenden() = 0;
    virtual void bildhostRegelAnwenden() = 0;
};
