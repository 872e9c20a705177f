#include "support/read_screen.h"

#include "files/auth_types.h"
#include "files/model_definition.h"
#include "files/model_table.h"
#include "model/screen_lock.h"
#include "model/show_channels.h"
#include "model/show_connection.h"
#include "model/show_mail_addresses.h"
#include "screen_files/settings_on_screen.h"
#include "settings/settings_image.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

DeviceSettings loggerAnswers()
{
    DeviceSettings answers;
    // Each an element its row offers: rows 8..11 take 003 and 004, rows 12..15 010 and 011.
    for (int row = 0; row < 16; ++row) {
        const QString code = row < 8 ? u"00%1"_s.arg(row % 4 + 1) : row < 12 ? u"00%1"_s.arg(row % 2 + 3) : u"01%1"_s.arg(row % 2);
        answers.set(u"mode%1"_s.arg(row), code);
    }
    for (int n = 0; n < 24; ++n)
        answers.set(u"ALARM%1"_s.arg(n), n % 2 ? u"%1.5"_s.arg(n) : u"-%1.5"_s.arg(n));
    for (int n = 24; n < 32; ++n)
        answers.set(u"ALARM%1"_s.arg(n), u"???"_s);
    for (int k = 1; k <= 6; ++k) {
        answers.set(u"CAALARMADDRESS%1"_s.arg(k), u"alarm%1@example.jp"_s.arg(k));
        answers.set(u"CADATAADDRESS%1"_s.arg(k), u"data%1@example.jp"_s.arg(k));
    }
    const QStringList connection = {u"CALOGINID"_s, u"CALOGINPASS"_s, u"CATELNO"_s, u"CAPOPID"_s, u"CAPOPPASS"_s,
                                    u"CAPOPSERVER"_s, u"CASMTPSERVER"_s, u"CAFROMADDRESS"_s};
    for (const QString &item : connection)
        answers.set(item, item.toLower() + u"-value"_s);
    answers.set(u"CAFROMADDRESS", u"logger@example.jp"_s);
    answers.set(u"CADNS1", u"192.168.0.1"_s);
    answers.set(u"CADNS2", u"192.168.0.2"_s);
    answers.set(u"CAAPN", u"apn.example.jp"_s);
    answers.set(u"CAAUTHTYPE", u"2"_s);
    return answers;
}

ReadScreen::ReadScreen()
    : origins(screenItems(state, screen))
{
    LoadAuthTypes(state, appFolder);
}

void ReadScreen::showAsRead(const DeviceSettings &answers, const QString &model)
{
    state.ModelCode = model;
    state.ChannelsAnswer = u"16"_s;
    state.ModelIniPath = appFolder.file(*modelDefinitionFileFor(model));
    LoadModelDefinition(state);
    storeInImage(answers, state);
    ShowChannels(state, screen);
    ShowMailAddresses(state, screen);
    ShowConnection(state, screen);
    UnlockScreen(state, screen);
    origins.noteRead(itemsOfImage(state), screenItems(state, screen), QDateTime::currentDateTimeUtc());
}

SettingsOpened ReadScreen::open(const DeviceSettings &file, bool answer)
{
    return openOnScreen(file, state, screen, origins, {ScreenOrigins::Source::File, u"file.txt"_s}, appFolder,
                        [this, answer](const QString &fileModel, const QString &screenModel) {
                            questions.append(fileModel + u" on "_s + screenModel);
                            return answer;
                        });
}

QList<bool> ReadScreen::commandsEnabled() const
{
    QList<bool> enabled;
    for (int i = 0; i < CommandControls::kCommands; ++i)
        enabled.append(screen.commands().Command1(i).isEnabled());
    return enabled;
}
