// FTPServer with or without a scheme: which protection it asks for and the
// address the upload goes to.

#include "transfer/ftpadresse.h"

#include <QTest>

Q_DECLARE_METATYPE(FtpSchutz)

class TestFtpServerangabe : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void schemaWaehltDenSchutz_data()
    {
        QTest::addColumn<QString>("ftpServer");
        QTest::addColumn<bool>("bekannt");
        QTest::addColumn<FtpSchutz>("schutz");
        // What libcurl is given, with the port it will use; "" when there is no host.
        QTest::addColumn<QString>("url");

        const auto keiner = FtpSchutz::Keiner;
        const auto explizit = FtpSchutz::ExplizitesTls;
        const auto implizit = FtpSchutz::ImplizitesTls;
        QTest::newRow("ohne Schema") << "ftp.example.org" << true << keiner << "ftp://ftp.example.org:21/a.jpg";
        QTest::newRow("ohne Schema, Port")
            << "ftp.example.org:2121" << true << keiner << "ftp://ftp.example.org:2121/a.jpg";
        QTest::newRow("ftp://") << "ftp://ftp.example.org" << true << keiner << "ftp://ftp.example.org:21/a.jpg";
        QTest::newRow("ftpes://") << "ftpes://ftp.example.org" << true << explizit << "ftp://ftp.example.org:21/a.jpg";
        QTest::newRow("FtPeS://, Port, /")
            << "FtPeS://ftp.example.org:2121/" << true << explizit << "ftp://ftp.example.org:2121/a.jpg";
        QTest::newRow("ftps://") << "ftps://ftp.example.org" << true << implizit << "ftps://ftp.example.org:990/a.jpg";
        QTest::newRow("FTPS://, IPv6, Port") << "FTPS://[::1]:9990" << true << implizit << "ftps://[::1]:9990/a.jpg";
        QTest::newRow("ftpes:// ohne Host") << "ftpes://" << true << explizit << "";
        QTest::newRow("http://") << "http://ftp.example.org" << false << keiner << "";
        QTest::newRow("sftp://") << "sftp://ftp.example.org" << true << FtpSchutz::Ssh
                                 << "sftp://ftp.example.org:22/~/a.jpg";
        QTest::newRow("SFTP://, Port") << "SFTP://ftp.example.org:2222" << true << FtpSchutz::Ssh
                                       << "sftp://ftp.example.org:2222/~/a.jpg";
        QTest::newRow("scp://") << "scp://ftp.example.org" << false << keiner << "";
        QTest::newRow("Schema mit + . -") << "s+f.t-p://ftp.example.org" << false << keiner << "";
        QTest::newRow("ftps:// mit Pfad") << "ftps://ftp.example.org/bilder" << true << implizit << "";
        QTest::newRow("Host mit Port, kein Schema") << "localhost:21" << true << keiner << "ftp://localhost:21/a.jpg";
    }

    void schemaWaehltDenSchutz()
    {
        QFETCH(QString, ftpServer);
        QFETCH(bool, bekannt);
        QFETCH(FtpSchutz, schutz);
        QFETCH(QString, url);

        const std::optional<FtpServerangabe> angabe = ftpServerLesen(ftpServer);
        QCOMPARE(angabe.has_value(), bekannt);
        if (!angabe)
            return;
        QCOMPARE(angabe->schutz, schutz);
        const CurlUrl adresse = ftpAdresse(*angabe, QStringLiteral("a.jpg"));
        QString gelesen;
        char* text = nullptr;
        if (adresse && curl_url_get(adresse.get(), CURLUPART_URL, &text, CURLU_DEFAULT_PORT) == CURLUE_OK)
            gelesen = QString::fromUtf8(text);
        curl_free(text);
        QCOMPARE(gelesen, url);
    }
};

QTEST_GUILESS_MAIN(TestFtpServerangabe)
#include "test_ftpserverangabe.moc"
