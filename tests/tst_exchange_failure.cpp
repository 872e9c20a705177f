#include "exchange/exchange_failure.h"
#include "support/telvaro_names.h"
#include "translations/translations.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Cause = ExchangeFailure::Cause;
using Problem = PortOpenFailure::Problem;

Q_DECLARE_METATYPE(telvaro::exchange::ExchangeFailure)

namespace {

ExchangeFailure portNotOpened(Problem problem, const QString &reason)
{
    ExchangeFailure failure;
    failure.cause = Cause::PortNotOpened;
    failure.port = u"COM3"_s;
    failure.device = u"/dev/ttyUSB0"_s;
    failure.portProblem = problem;
    failure.reason = reason;
    failure.isWrite = true;
    return failure;
}

} // namespace

// The texts the window shows behind its details button, in Japanese as the window has them, for
// the failures the window's tests cannot bring about (a root test user may open every device);
// telvaro-cli prints the same, but names its own commands where the window names a dialog.
class TestExchangeFailure : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installTranslations(*QCoreApplication::instance(), QLocale(QLocale::Japanese, QLocale::Japan)); }

    void details_sayWhatHappened_andWhatToDo_data()
    {
        QTest::addColumn<ExchangeFailure>("failure");
        QTest::addColumn<bool>("commandLine"); // read by telvaro-cli's operator, who has no window
        QTest::addColumn<QString>("details");
        QTest::newRow("no such device")
            << portNotOpened(Problem::NoSuchDevice, u"No such file or directory"_s) << false
            << u"通信ポート COM3 (/dev/ttyUSB0) を開けませんでした: No such file or directory。\n"
               u"そのようなデバイスはありません。ロガーのケーブル（USB変換器）がつながっているか、「通信設定」でロガーのつながっているポートを選んでいるかを確かめてください。\n"
               u"「ツール」→「シリアルポートの割り当て」で、シリアルポートの一覧を見て、ポートに COM 名を割り当てられます。"_s;
        ExchangeFailure unplugged = portNotOpened(Problem::NoSuchDevice, u"No such file or directory"_s);
        unplugged.device = u"/home/op/.config/telvaro/ports/com3"_s;
        unplugged.missingDevice = u"/dev/serial/by-id/usb-Maker_Adapter_A1-if00-port0"_s;
        QTest::newRow("a mapping to an unplugged adapter")
            << unplugged << false
            << u"通信ポート COM3 (/home/op/.config/telvaro/ports/com3) を開けませんでした: No such file or directory。\n"
               u"COM3 の割り当て先 /dev/serial/by-id/usb-Maker_Adapter_A1-if00-port0 がありません。\n"
               u"そのようなデバイスはありません。ロガーのケーブル（USB変換器）がつながっているか、「通信設定」でロガーのつながっているポートを選んでいるかを確かめてください。\n"
               u"「ツール」→「シリアルポートの割り当て」で、シリアルポートの一覧を見て、ポートに COM 名を割り当てられます。"_s;
        QTest::newRow("a mapping to an unplugged adapter, on the command line")
            << unplugged << true
            << u"通信ポート COM3 (/home/op/.config/telvaro/ports/com3) を開けませんでした: No such file or directory。\n"
               u"COM3 の割り当て先 /dev/serial/by-id/usb-Maker_Adapter_A1-if00-port0 がありません。\n"
               u"そのようなデバイスはありません。ロガーのケーブル（USB変換器）がつながっているか、指定したポートがロガーのつながっているポートかを確かめてください。"
               u"telvaro-cli ports でポートの一覧を、telvaro-cli ports --assign でポートへの COM 名の割り当てができます。"_s;
        QTest::newRow("no such device, on the command line")
            << portNotOpened(Problem::NoSuchDevice, u"No such file or directory"_s) << true
            << u"通信ポート COM3 (/dev/ttyUSB0) を開けませんでした: No such file or directory。\n"
               u"そのようなデバイスはありません。ロガーのケーブル（USB変換器）がつながっているか、指定したポートがロガーのつながっているポートかを確かめてください。"
               u"telvaro-cli ports でポートの一覧を、telvaro-cli ports --assign でポートへの COM 名の割り当てができます。"_s;
        QTest::newRow("permission denied")
            << portNotOpened(Problem::PermissionDenied, u"Permission denied"_s) << true
            << u"通信ポート COM3 (/dev/ttyUSB0) を開けませんでした: Permission denied。\n"
               u"このユーザーにはポートを使う権限がありません。ユーザーを dialout グループに加え（sudo adduser $USER dialout）、ログインし直してください。"_s;
        QTest::newRow("in use") << portNotOpened(Problem::InUse, u"held by process 4242 (/var/lock/LCK..ttyUSB0)"_s) << false
                                << u"通信ポート COM3 (/dev/ttyUSB0) を開けませんでした: held by process 4242 (/var/lock/LCK..ttyUSB0)。\n"
                                   u"ほかのプログラムがポートを使っています。そのプログラムを終えてから、もう一度試してください。"_s;
        ExchangeFailure held = portNotOpened(Problem::InUse, u"in use by process 23877 (lock file /var/lock/LCK..ttyUSB0)"_s);
        held.holderPid = 23877;
        held.holderProgram = u"telvaro-cli"_s;
        held.lockFile = u"/var/lock/LCK..ttyUSB0"_s;
        QTest::newRow("in use by a program with a name")
            << held << false
            << u"通信ポート COM3 (/dev/ttyUSB0) を開けませんでした。\n"
               u"COM3 は別のプログラム (telvaro-cli、プロセス 23877) が使用中です (ロックファイル /var/lock/LCK..ttyUSB0)。\n"
               u"そのプログラムを終えてから、もう一度試してください。"_s;
        held.holderProgram.clear();
        QTest::newRow("in use by a process whose name is unknown")
            << held << true
            << u"通信ポート COM3 (/dev/ttyUSB0) を開けませんでした。\n"
               u"COM3 は別のプログラム (プロセス 23877) が使用中です (ロックファイル /var/lock/LCK..ttyUSB0)。\n"
               u"そのプログラムを終えてから、もう一度試してください。"_s;

        ExchangeFailure silent;
        silent.cause = Cause::NoAnswer;
        silent.command = u"CONNECT"_s;
        silent.expected = u"READY"_s;
        silent.isWrite = true;
        silent.blocks = {{u"Arm.eep"_s, 0, 40}, {u"mail.eep"_s, 0, 12}, {u"ArmNet.eep"_s, 0, 24}, {u"Mmail.eep"_s, 0, 12}};
        silent.waited = std::chrono::milliseconds(250);
        silent.attempts = 1;
        QTest::newRow("silent logger, write, at a quarter second")
            << silent << false << u"ロガーが「CONNECT」に応答しませんでした。「READY」を 0.3 秒待ちました。\n\nロガーの設定は書き換えられていません。"_s;

        ExchangeFailure password = silent;
        password.command = u"CAPOPPASS=poppass01"_s;
        password.expected.clear();
        password.waited = std::chrono::milliseconds(2000);
        password.blocks[0].answered = 40;
        QTest::newRow("a password line unanswered")
            << password << false << u"ロガーが「CAPOPPASS=********」に応答しませんでした。応答を 2 秒待ちました。\n\n"
                           u"ロガーの設定は一部だけ書き換えられています\n"
                           u"Arm.eep: 40 行のうち 40 行を受け付けました\nmail.eep: 12 行のうち 0 行を受け付けました\n"
                           u"ArmNet.eep: 24 行のうち 0 行を受け付けました\nMmail.eep: 12 行のうち 0 行を受け付けました"_s;

        ExchangeFailure lost = password;
        lost.cause = Cause::LineLost;
        lost.port = u"COM3"_s;
        QTest::newRow("a password line, then the line lost")
            << lost << true << u"「CAPOPPASS=********」の応答を待つ間に COM3 の回線が切れました。"
                       u"ロガーが回線を切ったか、ケーブルかアダプターが抜かれました。\n\n"
                       u"ロガーの設定は一部だけ書き換えられています\n"
                       u"Arm.eep: 40 行のうち 40 行を受け付けました\nmail.eep: 12 行のうち 0 行を受け付けました\n"
                       u"ArmNet.eep: 24 行のうち 0 行を受け付けました\nMmail.eep: 12 行のうち 0 行を受け付けました"_s;
    }

    void details_sayWhatHappened_andWhatToDo()
    {
        QFETCH(ExchangeFailure, failure);
        QFETCH(bool, commandLine);
        QFETCH(QString, details);
        QCOMPARE(describe(failure, commandLine ? FailureReader::CommandLine : FailureReader::Window), details);
    }
};

QTEST_GUILESS_MAIN(TestExchangeFailure)
#include "tst_exchange_failure.moc"
