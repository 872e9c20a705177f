#include "link/port_lock.h"
#include "link/port_names.h"
#include "link/qt_serial_line.h"
#include "link/speed_table.h"
#include "ports/com_mapping.h"
#include "ports/port_table_model.h"
#include "ports/serial_ports.h"
#include "simulator/pseudo_terminal_port.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(telvaro::ports::Assignment::Result)
Q_DECLARE_METATYPE(telvaro::ports::Removal::Result)
Q_DECLARE_METATYPE(telvaro::ports::DeviceKind)

namespace {

const QString kStableName = u"usb-Maker_Adapter_A1B2C3-if00-port0"_s;

std::unique_ptr<PseudoTerminalPort> newTerminal()
{
    QString error;
    std::unique_ptr<PseudoTerminalPort> terminal = PseudoTerminalPort::create(&error);
    if (!terminal)
        qWarning().noquote() << "no pseudo-terminal:" << error;
    return terminal;
}

} // namespace

// The serial devices and COM names of a machine made of temporary folders and pseudo-terminals:
// a by-id folder, a ports folder, a lock folder, and /dev/pts as the folder where devices come
// and go.
class TestSerialPorts : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    PortFolders m_folders;
    std::unique_ptr<PseudoTerminalPort> m_adapter; // has a by-id name, like a USB adapter
    std::unique_ptr<PseudoTerminalPort> m_plain;   // has none, like a built-in port

    QString byIdPath() const { return QDir(m_folders.byId).filePath(kStableName); }
    QString m_error;

    QString comLink(int number) const { return PortNames::linkPath(number, m_folders.ports); }

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        for (const QString &folder : {u"by-id"_s, u"ports"_s, u"locks"_s}) {
            QDir(m_root.filePath(folder)).removeRecursively();
            QVERIFY(QDir().mkpath(m_root.filePath(folder)));
        }
        m_folders = {m_root.filePath(u"by-id"_s), u"/dev/pts"_s, m_root.filePath(u"ports"_s), m_root.filePath(u"locks"_s), false};
        m_adapter = newTerminal();
        m_plain = newTerminal();
        QVERIFY(m_adapter && m_plain);
        QVERIFY(QFile::link(m_adapter->devicePath(), byIdPath()));
    }

    // Each device once, whichever way it is known, with its stable name, its COM names and the
    // program that holds it; each COM name with where it leads.
    void listing_namesEveryDeviceOnce_withItsComNamesAndHolder()
    {
        QProcess holder;
        holder.start(u"sleep"_s, {u"60"_s});
        QVERIFY(holder.waitForStarted());
        writeFile(QDir(m_folders.locks).filePath(PortLock::lockFileName(m_plain->devicePath())),
                  QByteArray::number(holder.processId()).rightJustified(10, ' ') + '\n');
        QVERIFY(PortNames::mapPort(2, m_plain->devicePath(), m_folders.ports, &m_error));
        QVERIFY(PortNames::mapPort(3, m_root.filePath(u"by-id/usb-Unplugged-if00"_s), m_folders.ports, &m_error));
        QVERIFY(PortNames::mapPort(4, byIdPath(), m_folders.ports, &m_error));
        QVERIFY(PortNames::mapPort(5, m_adapter->devicePath(), m_folders.ports, &m_error));
        writeFile(comLink(6), "not a link");

        QList<SerialDevice> devices = serialDevices(m_folders);
        QCOMPARE(devices.size(), 2);
        if (devices.at(0).device != m_adapter->devicePath())
            devices.swapItemsAt(0, 1);
        const SerialDevice &adapter = devices.at(0);
        const SerialDevice &plain = devices.at(1);
        QCOMPARE(adapter.device, m_adapter->devicePath());
        QCOMPARE(adapter.stablePath, byIdPath());
        QCOMPARE(adapter.comNumbers, (QList<int>{4, 5}));
        QCOMPARE(adapter.access, SerialDevice::Access::Usable);
        QVERIFY(!adapter.holder);
        QCOMPARE(plain.stablePath, QString());
        QCOMPARE(plain.comNumbers, QList<int>{2});
        QVERIFY(plain.holder);
        QCOMPARE(plain.holder->pid, holder.processId());
        QCOMPARE(plain.holder->program, u"sleep"_s);

        const QList<ComMapping> mappings = comMappings(m_folders);
        QCOMPARE(mappings.size(), 9);
        const struct
        {
            int number;
            ComMapping::State state;
            QString target;
            QString device;
        } expected[] = {
            {1, ComMapping::State::Default, u"/dev/ttyS0"_s, QFileInfo(u"/dev/ttyS0"_s).canonicalFilePath()},
            {2, ComMapping::State::Mapped, m_plain->devicePath(), m_plain->devicePath()},
            {3, ComMapping::State::Missing, m_root.filePath(u"by-id/usb-Unplugged-if00"_s), QString()},
            {4, ComMapping::State::Mapped, byIdPath(), m_adapter->devicePath()},
            {6, ComMapping::State::NotALink, comLink(6), QString()},
        };
        for (const auto &row : expected) {
            const ComMapping &mapping = mappings.at(row.number - 1);
            QCOMPARE(mapping.number, row.number);
            QCOMPARE(mapping.state, row.state);
            QCOMPARE(mapping.target, row.target);
            QCOMPARE(mapping.device, row.device);
        }

        // A lock left by a program that has ended names nobody.
        holder.kill();
        QVERIFY(holder.waitForFinished());
        for (const SerialDevice &device : serialDevices(m_folders))
            QVERIFY2(!device.holder, qPrintable(device.device));
    }

    void assign_leadsToTheStableName_orSaysWhyNot_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<Assignment::Result>("result");
        QTest::addColumn<DeviceKind>("kind");
        QTest::addColumn<QString>("linkTarget"); // what com7 names afterwards; empty: no link
        const QString adapter = u"ADAPTER"_s, plain = u"PLAIN"_s, own = u"OWN"_s, byId = u"BYID"_s;
        QTest::newRow("kernel name of an adapter") << adapter << Assignment::Result::Assigned << DeviceKind::SerialDevice << byId;
        QTest::newRow("its stable name") << byId << Assignment::Result::Assigned << DeviceKind::SerialDevice << byId;
        QTest::newRow("a link of the operator's own") << own << Assignment::Result::Assigned << DeviceKind::SerialDevice << own;
        QTest::newRow("a port without a stable name") << plain << Assignment::Result::Assigned << DeviceKind::SerialDevice << plain;
        QTest::newRow("missing") << u"/dev/ttyUSB77"_s << Assignment::Result::NoSerialDevice << DeviceKind::Missing << QString();
        QTest::newRow("folder") << u"/dev"_s << Assignment::Result::NoSerialDevice << DeviceKind::Folder << QString();
        QTest::newRow("file") << u"FILE"_s << Assignment::Result::NoSerialDevice << DeviceKind::File << QString();
        QTest::newRow("no terminal") << u"/dev/null"_s << Assignment::Result::NoSerialDevice << DeviceKind::NotTerminal << QString();
    }

    void assign_leadsToTheStableName_orSaysWhyNot()
    {
        QFETCH(QString, given);
        QFETCH(Assignment::Result, result);
        QFETCH(DeviceKind, kind);
        QFETCH(QString, linkTarget);
        const QString own = m_root.filePath(u"logger-left"_s);
        QVERIFY(QFile::link(m_adapter->devicePath(), own));
        writeFile(m_root.filePath(u"FILE"_s), "x");
        const QHash<QString, QString> paths{{u"ADAPTER"_s, m_adapter->devicePath()}, {u"PLAIN"_s, m_plain->devicePath()},
                                            {u"OWN"_s, own}, {u"BYID"_s, byIdPath()}, {u"FILE"_s, m_root.filePath(u"FILE"_s)}};
        const Assignment assignment = assignComName(7, paths.value(given, given), m_folders);
        QCOMPARE(assignment.result, result);
        QCOMPARE(assignment.kind, kind);
        const QFileInfo link(comLink(7));
        QCOMPARE(link.isSymLink() ? link.symLinkTarget() : QString(), paths.value(linkTarget, linkTarget));
        if (result == Assignment::Result::Assigned)
            QCOMPARE(assignment.target, paths.value(linkTarget));
        QFile::remove(own);
    }

    // Something of the operator's where the link would go is never replaced.
    void assign_leavesWhatIsNoLink()
    {
        writeFile(comLink(7), "mine");
        const Assignment assignment = assignComName(7, m_adapter->devicePath(), m_folders);
        QCOMPARE(assignment.result, Assignment::Result::NotALink);
        QCOMPARE(readFile(comLink(7)), QByteArray("mine"));
    }

    void remove_takesOnlyALinkAway_data()
    {
        QTest::addColumn<QString>("before"); // "link", "dangling", "file", "" for nothing
        QTest::addColumn<Removal::Result>("result");
        QTest::addColumn<bool>("leftThere");
        QTest::newRow("a mapping") << u"link"_s << Removal::Result::Removed << false;
        QTest::newRow("a mapping to an unplugged adapter") << u"dangling"_s << Removal::Result::Removed << false;
        QTest::newRow("no mapping") << QString() << Removal::Result::NotMapped << false;
        QTest::newRow("a file of the operator's") << u"file"_s << Removal::Result::NotALink << true;
    }

    void remove_takesOnlyALinkAway()
    {
        QFETCH(QString, before);
        QFETCH(Removal::Result, result);
        QFETCH(bool, leftThere);
        if (before == u"link"_s)
            QVERIFY(PortNames::mapPort(8, byIdPath(), m_folders.ports, &m_error));
        else if (before == u"dangling"_s)
            QVERIFY(PortNames::mapPort(8, m_root.filePath(u"gone"_s), m_folders.ports, &m_error));
        else if (before == u"file"_s)
            writeFile(comLink(8), "mine");
        const Removal removal = removeComName(8, m_folders);
        QCOMPARE(removal.result, result);
        QCOMPARE(QFileInfo(comLink(8)).exists() || QFileInfo(comLink(8)).isSymLink(), leftThere);
        if (result == Removal::Result::NotMapped)
            QCOMPARE(removal.target, u"/dev/ttyS7"_s);
    }

    // A COM name whose adapter is unplugged fails to open naming where its link leads.
    void opening_aMappingToAMissingDevice_namesTheDevice()
    {
        const QString unplugged = QDir(m_folders.byId).filePath(u"usb-Unplugged-if00"_s);
        QVERIFY(PortNames::mapPort(3, unplugged, m_folders.ports, &m_error));
        QtSerialLine line(m_folders.ports, m_folders.locks);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^cannot open "_s));
        const std::optional<PortOpenFailure> failure = line.open(3, SpeedTable().at(5));
        QVERIFY(failure);
        QCOMPARE(failure->problem, PortOpenFailure::Problem::NoSuchDevice);
        QCOMPARE(failure->device, comLink(3));
        QCOMPARE(failure->missingTarget, unplugged);
    }

    // The dialog's model follows an adapter plugged in (its by-id name appears) and pulled out
    // (its device goes), from the folders' own notices: the periodic look is an hour away.
    void model_followsPlugAndUnplug()
    {
        QFile::remove(byIdPath());
        PortTableModel model(m_folders, nullptr, std::chrono::hours(1), std::chrono::milliseconds(20));
        QCOMPARE(model.rowCount(), 0);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        QVERIFY(QFile::link(m_adapter->devicePath(), byIdPath()));
        QVERIFY(reset.wait(5000));
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.data(model.index(0, PortTableModel::DeviceColumn)).toString(), m_adapter->devicePath());
        QCOMPARE(model.data(model.index(0, PortTableModel::StablePathColumn)).toString(), byIdPath());
        QCOMPARE(model.data(model.index(0, PortTableModel::AccessColumn)).toString(), u"使用できます"_s);

        reset.clear();
        m_adapter.reset(); // the pseudo-terminal goes, as an unplugged adapter's device does
        QVERIFY(reset.wait(5000));
        QCOMPARE(model.rowCount(), 0);
    }

    // What the dialog says for each button, and the table's COM names after it.
    void model_assignAndUnassign_sayWhatWasDone()
    {
        PortTableModel model(m_folders, nullptr, std::chrono::hours(1));
        QCOMPARE(model.rowCount(), 1);
        const struct
        {
            std::function<PortTableModel::Outcome()> action;
            bool done;
            QString message;
            QString comNames; // of the adapter's row afterwards
            QString mapping;  // COM3's line afterwards
        } steps[] = {
            {[&] { return model.assign(3, -1); }, false, u"割り当てるデバイスを一覧から選んでください。"_s, QString(),
             u"COM3: 割り当てなし (/dev/ttyS2%1)"_s},
            {[&] { return model.assign(3, 0); }, true,
             u"COM3 を %1 (%2) に割り当てました。"_s.arg(byIdPath(), m_adapter->devicePath()), u"COM3"_s,
             u"COM3 → %1 (%2)"_s.arg(byIdPath(), m_adapter->devicePath())},
            {[&] { return model.unassign(3); }, true, u"COM3 の割り当て (%1) を解除しました。"_s.arg(byIdPath()), QString(),
             u"COM3: 割り当てなし (/dev/ttyS2%1)"_s},
            {[&] { return model.unassign(3); }, false, u"COM3 は割り当てられていません。"_s, QString(),
             u"COM3: 割り当てなし (/dev/ttyS2%1)"_s},
        };
        const QString ttyS2 = QFileInfo(u"/dev/ttyS2"_s).exists() ? QString() : u" はありません"_s;
        for (const auto &step : steps) {
            const PortTableModel::Outcome outcome = step.action();
            QCOMPARE(outcome.done, step.done);
            QCOMPARE(outcome.message, step.message);
            QCOMPARE(model.data(model.index(0, PortTableModel::ComNamesColumn)).toString(), step.comNames);
            QCOMPARE(model.mappingText(3), step.mapping.contains(u"%1"_s) ? step.mapping.arg(ttyS2) : step.mapping);
        }
    }
};

QTEST_GUILESS_MAIN(TestSerialPorts)
#include "tst_serial_ports.moc"
