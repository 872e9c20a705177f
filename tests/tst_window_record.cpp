#include "record/exchange_record.h"
#include "support/widgets/logger_bench.h"
#include "support/widgets/scripted_operator.h"
#include "widgets/history_model.h"
#include "widgets/history_window.h"
#include "widgets/window_recording.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>

#include <QTest>

using namespace Qt::StringLiterals;
using namespace telvaro::record;

namespace {

const QString kChangedDns = u"192.0.2.30"_s;

QStringList column(const QTableWidget *table, int column)
{
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row)
        cells.append(table->item(row, column)->text());
    return cells;
}

int rowOfItem(const QTableWidget *table, const QString &name)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->toolTip() == name)
            return row;
    }
    return -1;
}

// The history window, shown from the menu, with the exchange of that row (newest first) selected.
HistoryWindow *historyWith(LoggerBench &bench, int row)
{
    bench.choose("mnu_HistoryExchanges");
    HistoryWindow *history = bench.window().historyWindow();
    history->list()->selectRow(row);
    return history;
}

} // namespace

class TestWindowRecord : public QObject
{
    Q_OBJECT

private slots:
    // A read and a write from the window are recorded beside them: the write with what it was
    // built on and what it meant, the passwords nowhere in clear; the history lists them newest
    // first, filters them and shows what the write changed without a password.
    void readAndWrite_recorded_andListed()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        ScriptedOperator operatorAtTheScreen;
        QVERIFY(bench.read());
        const QString dnsRead = bench.controls().Text3.at(8)->text();
        bench.controls().Text3.at(8)->setText(kChangedDns);
        bench.controls().Text3.at(1)->setText(u"newpass9"_s); // the login password
        QVERIFY(bench.write());
        QCOMPARE(bench.logger().value(u"CALOGINPASS"_s), u"newpass9"_s);

        const QString path = bench.fixture().recordPath();
        ExchangeRecord record(path, ExchangeRecord::Opening::ExistingOnly);
        const QList<ExchangeEntry> listed = record.list({});
        QCOMPARE(listed.size(), 2);
        const std::optional<ExchangeEntry> write = record.entry(listed.at(0).row);
        const std::optional<ExchangeEntry> read = record.entry(listed.at(1).row);
        QVERIFY(write && read);
        QCOMPARE(write->kind, ExchangeEntry::Kind::Write);
        QCOMPARE(read->kind, ExchangeEntry::Kind::Read);
        for (const ExchangeEntry &entry : {*read, *write}) {
            QVERIFY2(entry.succeeded(), qPrintable(entry.failure));
            QCOMPARE(entry.identity, u"logger01@example.jp"_s);
            QCOMPARE(entry.port, u"COM1"_s);
            QVERIFY(!entry.model.isEmpty());
            QVERIFY(entry.channels > 0);
        }
        QVERIFY(read->received && !read->before && !read->meant);
        QCOMPARE(read->received->value(u"CADNS1"), dnsRead);
        QVERIFY(write->before && write->meant && !write->received);
        QCOMPARE(write->before->value(u"CADNS1"), dnsRead);
        QCOMPARE(write->meant->value(u"CADNS1"), kChangedDns);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(write->before->value(u"CALOGINPASS") != write->meant->value(u"CALOGINPASS"));
        for (const QByteArray &password : {"pass01"_ba, "poppass01"_ba, "newpass9"_ba})
            QVERIFY2(!bytes.contains(password), password.constData());

        QVERIFY(record.setLabel(u"logger01@example.jp"_s, u"現場 4"_s)); // as `telvaro-cli label` gives it

        // The menu comes after ツール and opens a window of its own.
        const QList<QAction *> menus = bench.window().menuBar()->actions();
        QCOMPARE(menus.last()->text(), u"履歴(&H)"_s);
        QCOMPARE(menus.at(menus.size() - 2)->text(), u"ツール(&T)"_s);
        HistoryWindow *history = historyWith(bench, 0);
        QVERIFY(history->isVisible() && !history->isModal() && !history->parentWidget());
        QVERIFY(!history->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(history->model()->rowCount(), 2);
        QCOMPARE(history->model()->index(0, HistoryModel::Kind).data().toString(), u"書込"_s);
        QCOMPARE(history->model()->index(1, HistoryModel::Kind).data().toString(), u"読込"_s);
        QCOMPARE(history->model()->index(0, HistoryModel::Outcome).data().toString(), u"成功"_s);
        QCOMPARE(history->model()->index(0, HistoryModel::Logger).data().toString(), u"logger01@example.jp (現場 4)"_s);
        QVERIFY(history->changes()->isVisibleTo(history));
        const int dns = rowOfItem(history->changes(), u"CADNS1"_s);
        QVERIFY(dns >= 0);
        QCOMPARE(history->changes()->item(dns, 1)->text(), dnsRead);
        QCOMPARE(history->changes()->item(dns, 2)->text(), kChangedDns);
        const int login = rowOfItem(history->changes(), u"CALOGINPASS"_s);
        QVERIFY(login >= 0);
        QCOMPARE(history->changes()->item(login, 1)->text(), u"********"_s);
        QCOMPARE(history->changes()->item(login, 2)->text(), u"変更あり"_s);
        QCOMPARE(rowOfItem(history->changes(), u"CAPOPPASS"_s), -1); // not changed
        for (const QString &secret : {u"CALOGINPASS"_s, u"CAPOPPASS"_s})
            QCOMPARE(history->items()->item(rowOfItem(history->items(), secret), 1)->text(), u"********"_s);
        for (const QString &password : {u"pass01"_s, u"newpass9"_s})
            QVERIFY(!column(history->items(), 1).contains(password) && !column(history->changes(), 2).contains(password));

        // Filters: a search text anywhere in the row, and the logger last read.
        const QList<std::tuple<QString, bool, int>> filters = {
            {u"書込"_s, false, 1}, {u"LOGGER01"_s, false, 2}, {u"現場"_s, false, 2}, {u"nobody-here"_s, false, 0},
            {QString(), true, 2}, {u"読込"_s, true, 1},
        };
        for (const auto &[search, loggerOnly, rows] : filters) {
            history->search()->setText(search);
            history->loggerOnly()->setChecked(loggerOnly);
            QVERIFY2(history->model()->rowCount() == rows, qPrintable(search));
        }
    }

    // A recorded image goes on the screen as a settings file would, never enabling a write to a
    // logger this window has not read, and saves as a settings file without passwords.
    void recordedImage_onScreen_andSaved()
    {
        LoggerBench recorded;
        QVERIFY(recorded.isValid());
        QVERIFY(recorded.read());
        ExchangeRecord record(recorded.fixture().recordPath());
        const std::optional<ExchangeEntry> entry = record.entry(1);
        QVERIFY(entry && entry->received);
        DeviceSettings expected = *entry->received;
        int secrets = 0;
        for (int item = 0; item < SettingsItems::kCount; ++item) {
            if (SettingsItems::isSecret(item) && expected.contains(item)) {
                expected.remove(item);
                ++secrets;
            }
        }
        QCOMPARE(secrets, 2);

        LoggerBench bench;
        QVERIFY(bench.isValid());
        bench.window().recording()->setPath(recorded.fixture().recordPath());
        QPushButton *writeButton = bench.controls().Command1.at(1);
        QVERIFY(!writeButton->isEnabled());
        HistoryWindow *history = historyWith(bench, 0);
        QVERIFY(history->openButton()->isEnabled());
        history->openButton()->click();
        QCOMPARE(bench.controls().Text3.at(8)->text(), recorded.controls().Text3.at(8)->text());
        QVERIFY(!bench.controls().Text3.at(8)->text().isEmpty());
        QVERIFY(!writeButton->isEnabled());

        const QString saved = bench.path(u"from-history.txt"_s);
        QVERIFY(history->saveSelected(saved));
        const DeviceSettings file = bench.settingsIn(u"from-history.txt"_s);
        QCOMPARE(file, expected);
        const QString text = QString::fromUtf8(bench.readFile(u"from-history.txt"_s));
        QVERIFY2(text.startsWith(u"# 履歴 #1 ("_s) && text.contains(u"パスワードは記録にないため含めていません"_s), qPrintable(text));
    }

    // While an exchange runs the menu and the window's actions are off; a record that cannot be
    // written costs the exchange nothing and is said once, in the status bar.
    void duringAnExchange_andARecordThatFails()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        QVERIFY(bench.read());
        HistoryWindow *history = historyWith(bench, 0);
        QVERIFY(history->openButton()->isEnabled());
        bench.writeFile(u"not-a-folder"_s, "x");
        bench.window().recording()->setPath(bench.path(u"not-a-folder/record.sqlite"_s));
        QSignalSpy failed(bench.window().recording(), &WindowRecording::failed);

        QMenu *menu = bench.window().findChild<QMenu *>(u"mnu_History"_s);
        for (int exchange = 0; exchange < 2; ++exchange) {
            QTest::mouseClick(bench.controls().Command1.at(0), Qt::LeftButton);
            QVERIFY(!menu->menuAction()->isEnabled());
            QVERIFY(!history->openButton()->isEnabled() && !history->saveButton()->isEnabled());
            QVERIFY(!history->list()->isEnabled());
            QVERIFY(bench.fixture().exchangeEnds());
            QCOMPARE(bench.controls().statusPanel->text(), u"読込完了"_s);
            QVERIFY(menu->menuAction()->isEnabled());
        }
        QCOMPARE(failed.size(), 1);
        const QLabel *label = bench.window().findChild<QLabel *>(u"SettingsFileLabel"_s);
        QCOMPARE(label->text(), u"通信の記録を書けません"_s);
        QVERIFY(label->toolTip().contains(u"not-a-folder"_s));
    }
};

QTEST_MAIN(TestWindowRecord)
#include "tst_window_record.moc"
