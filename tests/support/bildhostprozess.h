#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A bildhost of its own for one test: on 127.0.0.1, a free port it picks
// itself, a fresh folder for the pictures (ablage) inside a fresh parent
// folder, so a test can see that nothing lands beside it.
class BildhostProzess {
public:
    explicit BildhostProzess(const QString& programm, const QStringList& weitereArgumente = {});
    ~BildhostProzess();
    BildhostProzess(const BildhostProzess&) = delete;
    BildhostProzess& operator=(const BildhostProzess&) = delete;

    bool laeuft() const { return m_port != 0; }
    QString host() const;
    quint16 port() const { return m_port; }
    QString ablage() const;
    QString elternordner() const { return m_ordner.path(); }
    // What the server printed: its start line and one line per request.
    QString protokoll();

    // Sends raw bytes from the address von (any of 127.0.0.0/8) and returns
    // the whole reply, read until the server closes.
    QByteArray senden(const QByteArray& anfrage, const QHostAddress& von = QHostAddress(QHostAddress::LocalHost)) const;
    QByteArray formularSenden(const QByteArray& koerper) const;

    // SIGTERM; the exit code, or -1 when it had not ended within 10 s.
    int anhalten();

private:
    QTemporaryDir m_ordner;
    QProcess m_prozess;
    QByteArray m_ausgabe;
    quint16 m_port = 0;
};

// The status code of a raw HTTP reply, 0 if there is none.
int httpStatus(const QByteArray& antwort);
