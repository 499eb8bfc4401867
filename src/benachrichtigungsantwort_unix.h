#pragma once

#include <QObject>
#include <QStringList>

// Answers the actions of the one notification it is told of, then ends the
// helper: "oeffnen" hands each link to xdg-open, "verlauf" starts the history
// window; a closed notification just ends it.
class Benachrichtigungsantwort : public QObject {
    Q_OBJECT
public:
    explicit Benachrichtigungsantwort(QStringList links);
    void warteAuf(uint nummer);

public Q_SLOTS:
    void aktion(uint nummer, const QString& schluessel);
    void geschlossen(uint nummer, uint grund);

private:
    QStringList m_links;
    uint m_nummer = 0;
    bool m_bekannt = false;
};
