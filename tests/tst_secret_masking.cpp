#include "base/secret_items.h"
#include "link/secret_masking.h"
#include "support/telvaro_names.h"

#include <QTest>

// What the logs show of an exchange: both passwords masked, everything else as it was.
class TestSecretMasking : public QObject
{
    Q_OBJECT

private slots:
    void wire_masksThePasswordsHoweverTheyAreSplit_data()
    {
        // Pieces in order of time, each marked "> " when sent and "< " when received.
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("written password") << QByteArrayList{"> CALOGINPASS=abc\r\n", "< OK\r\n"}
                                          << QByteArray("CALOGINPASS=********\r\nOK\r\n");
        QTest::newRow("mail password, empty") << QByteArrayList{"> CAPOPPASS=\r\n"} << QByteArray("CAPOPPASS=********\r\n");
        QTest::newRow("other items untouched") << QByteArrayList{"> CALOGINID=abc\r\n", "> CAPOPID?\r\n", "< pop\r\n"}
                                               << QByteArray("CALOGINID=abc\r\nCAPOPID?\r\npop\r\n");
        QTest::newRow("answer to a question") << QByteArrayList{"> CALOGINPASS?\r\n", "< abc\r\n", "> CATELNO?\r\n", "< 0123\r\n"}
                                              << QByteArray("CALOGINPASS?\r\n********\r\nCATELNO?\r\n0123\r\n");
        QTest::newRow("answer in pieces") << QByteArrayList{"> CAPOPPASS?\r\n", "< a", "< bc\r", "< \n"}
                                          << QByteArray("CAPOPPASS?\r\n********\r\n");
        QTest::newRow("echoed key in pieces") << QByteArrayList{"> CALOGINPASS=abc\r\n", "< CALOGINPA", "< SS=abc\r\nOK\r\n"}
                                              << QByteArray("CALOGINPASS=********\r\nCALOGINPASS=********\r\nOK\r\n");
        QTest::newRow("echoed question") << QByteArrayList{"> CAPOPPASS?\r\n", "< CAPOPPASS?\r\nabc\r\n"}
                                         << QByteArray("CAPOPPASS?\r\n********\r\n********\r\n");
        QTest::newRow("unanswered question") << QByteArrayList{"> CAPOPPASS?\r\n", "> CASMTPSERVER?\r\n", "< smtp\r\n"}
                                             << QByteArray("CAPOPPASS?\r\n********\r\nsmtp\r\n");
        QTest::newRow("received remnant before a command")
            << QByteArrayList{"< CALOGIN", "> CALOGINPASS=abc\r\n"} << QByteArray("CALOGINCALOGINPASS=********\r\n");
        QTest::newRow("lone carriage returns") << QByteArrayList{"> \rCONNECT\r", "< READY\r\n"}
                                               << QByteArray("\rCONNECT\rREADY\r\n");
    }

    void wire_masksThePasswordsHoweverTheyAreSplit()
    {
        QFETCH(QByteArrayList, pieces);
        QFETCH(QByteArray, shown);
        SecretMasking masking;
        QByteArray trace;
        for (const QByteArray &piece : pieces)
            trace += piece.startsWith('>') ? masking.sent(piece.mid(2)) : masking.received(piece.mid(2));
        QCOMPARE(trace, shown);
    }

    void secretItems_areTheTwoPasswords_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("secret");
        QTest::newRow("login password") << QStringLiteral("CALOGINPASS") << true;
        QTest::newRow("mail password") << QStringLiteral("CAPOPPASS") << true;
        QTest::newRow("login id") << QStringLiteral("CALOGINID") << false;
        QTest::newRow("other case") << QStringLiteral("caloginpass") << false;
        QTest::newRow("longer") << QStringLiteral("CAPOPPASS2") << false;
    }

    void secretItems_areTheTwoPasswords()
    {
        QFETCH(QString, item);
        QFETCH(bool, secret);
        QCOMPARE(SecretItems::isSecret(item), secret);
    }

    void log_masksBothDirections()
    {
        const QString log = QStringLiteral("CALOGINPASS?\r\nパス\r\nCAPOPPASS=秘密\r\nOK\r\nCAAPN?\r\nexample.apn\r\n");
        QCOMPARE(SecretMasking::masked(QStringView(log)),
                 QStringLiteral("CALOGINPASS?\r\n********\r\nCAPOPPASS=********\r\nOK\r\nCAAPN?\r\nexample.apn\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestSecretMasking)
#include "tst_secret_masking.moc"
