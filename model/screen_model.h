#pragma once

#include "base/logger_items.h"
#include "model/controls.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace telvaro::model {

// The command buttons Command1(0..3) (read, write, save, exit), the tab control SSTab2 and the
// settings menu mnu_Set: what an exchange disables while it runs.
class CommandControls
{
public:
    enum Command { Read = 0, Write = 1, Save = 2, Exit = 3 };
    static constexpr int kCommands = 4;

    CommandControls();

    Control &Command1(int index) { return m_command1.at(index); }
    const Control &Command1(int index) const { return m_command1.at(index); }
    Control &SSTab2() { return m_ssTab2; }
    const Control &SSTab2() const { return m_ssTab2; }
    Control &mnu_Set() { return m_mnuSet; }
    const Control &mnu_Set() const { return m_mnuSet; }

private:
    std::array<Control, kCommands> m_command1;
    Control m_ssTab2;
    Control m_mnuSet;
};

// One of the sixteen rows of the channel grid (page 0 "警報値設定").
class ChannelRow
{
public:
    static constexpr int kControls = 6;

    CaptionLabel &Label1() { return m_label1; } // "ChNo": the channel's caption
    const CaptionLabel &Label1() const { return m_label1; }
    ElementBox &Combo1() { return m_combo1; } // "要素名": the element measured
    const ElementBox &Combo1() const { return m_combo1; }
    CaptionLabel &Label2() { return m_label2; } // "単位": the element's unit
    const CaptionLabel &Label2() const { return m_label2; }
    CaptionLabel &Label3() { return m_label3; } // "フォーマット": the element's number format
    const CaptionLabel &Label3() const { return m_label3; }
    TextField &Text1() { return m_text1; } // "警報下限値": the alarm lower limit
    const TextField &Text1() const { return m_text1; }
    TextField &Text2() { return m_text2; } // "警報上限値": the alarm upper limit
    const TextField &Text2() const { return m_text2; }

    // The six controls, left to right.
    std::array<Field *, kControls> fields() { return {&m_label1, &m_combo1, &m_label2, &m_label3, &m_text1, &m_text2}; }
    std::array<const Field *, kControls> fields() const
    {
        return {&m_label1, &m_combo1, &m_label2, &m_label3, &m_text1, &m_text2};
    }

private:
    CaptionLabel m_label1;
    ElementBox m_combo1;
    CaptionLabel m_label2;
    CaptionLabel m_label3;
    TextField m_text1;
    TextField m_text2;
};

// Six mail address fields of one page, disabled until a read shows them.
class MailAddressFields
{
public:
    static constexpr int kAddresses = base::LoggerItems::kMailAddresses;

    MailAddressFields();

    std::array<TextField, kAddresses> &fields() { return m_fields; }
    const std::array<TextField, kAddresses> &fields() const { return m_fields; }

protected:
    std::array<TextField, kAddresses> m_fields;
};

// Page 1 "警報送信先アドレス": Text4(k) holds alarm mail address k + 1.
class AlarmAddressFields : public MailAddressFields
{
public:
    TextField &Text4(int k) { return m_fields.at(k); }
    const TextField &Text4(int k) const { return m_fields.at(k); }
};

// Page 2 "データ送信先アドレス": Text5(k) holds data mail address k + 1.
class DataAddressFields : public MailAddressFields
{
public:
    TextField &Text5(int k) { return m_fields.at(k); }
    const TextField &Text5(int k) const { return m_fields.at(k); }
};

// Page 3 "接続設定": Text3(k) shows the k-th connection box of the item table, in the order of
// the connection script; Text3(kApnField) is the APN, shown at the top of the page. Disabled
// until a read shows them.
class ConnectionFields
{
public:
    static constexpr int kFields = base::LoggerItems::kConnectionBoxes;
    static constexpr int kApnField = base::LoggerItems::kApnBox;

    ConnectionFields();

    TextField &Text3(int index) { return m_fields.at(index); }
    const TextField &Text3(int index) const { return m_fields.at(index); }
    std::array<TextField, kFields> &fields() { return m_fields; }
    const std::array<TextField, kFields> &fields() const { return m_fields; }

private:
    std::array<TextField, kFields> m_fields;
};

// The "Auth" row of page 3: the selector setObserbox lists the authentication types by name
// (entry k made from type k), and AuthLabel holds the chosen type's code as decimal text, which
// the connection script sends. AuthLabel is never shown to the operator.
class AuthTypeSelector
{
public:
    AuthTypeSelector();

    ChoiceBox &setObserbox() { return m_setObserbox; }
    const ChoiceBox &setObserbox() const { return m_setObserbox; }
    CaptionLabel &AuthLabel() { return m_authLabel; }
    const CaptionLabel &AuthLabel() const { return m_authLabel; }

private:
    ChoiceBox m_setObserbox;
    CaptionLabel m_authLabel;
};

// Everything the settings screen shows and the operator can change, without any widget: the
// window is one view of it; a read and a write work on it alone. It opens in the state the
// window opens in: read and exit usable, write disabled, the mail and connection fields locked.
class ScreenModel : public QObject
{
    Q_OBJECT

public:
    static constexpr int kChannelRows = base::LoggerItems::kChannelRows;

    ScreenModel();
    ~ScreenModel() override;

    CommandControls &commands() { return m_commands; }
    const CommandControls &commands() const { return m_commands; }
    ChannelRow &channelRow(int row) { return m_channelRows.at(row); }
    const ChannelRow &channelRow(int row) const { return m_channelRows.at(row); }
    AlarmAddressFields &alarmAddresses() { return m_alarmAddresses; }
    const AlarmAddressFields &alarmAddresses() const { return m_alarmAddresses; }
    DataAddressFields &dataAddresses() { return m_dataAddresses; }
    const DataAddressFields &dataAddresses() const { return m_dataAddresses; }
    ConnectionFields &connection() { return m_connection; }
    const ConnectionFields &connection() const { return m_connection; }
    AuthTypeSelector &authType() { return m_authType; }
    const AuthTypeSelector &authType() const { return m_authType; }

    // Panel 1 of the status bar sts_Main: where an exchange reports its progress. Each report
    // is an event of its own, also one that repeats the text shown.
    const QString &statusText() const { return m_statusText; }
    void setStatusText(const QString &text);

    // The exchange log rtxt_Box: every line sent and received, line ends included.
    const QString &logText() const { return m_logText; }
    void clearLog();
    void appendLog(const QString &text);

    // How far the running exchange has come: the script lines answered, of all the lines of all
    // its blocks. Nothing while no exchange runs.
    struct Progress
    {
        int done = 0;
        int total = 0;

        friend bool operator==(const Progress &, const Progress &) = default;
    };
    const std::optional<Progress> &progress() const { return m_progress; }
    void setProgress(const std::optional<Progress> &progress);

signals:
    void statusTextSet(const QString &text);
    void logChanged();
    void progressChanged();

private:
    CommandControls m_commands;
    std::array<ChannelRow, kChannelRows> m_channelRows;
    AlarmAddressFields m_alarmAddresses;
    DataAddressFields m_dataAddresses;
    ConnectionFields m_connection;
    AuthTypeSelector m_authType;
    QString m_statusText;
    QString m_logText;
    std::optional<Progress> m_progress;
};

} // namespace telvaro::model
