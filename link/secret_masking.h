#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace telvaro::link {

// Keeps the two passwords out of everything that is logged of an exchange. A line
// "CALOGINPASS=..." or "CAPOPPASS=..." keeps its key and shows the mask for its value; after a
// line "CALOGINPASS?" or "CAPOPPASS?" the logger's answer, the next line that is not such a
// question, shows the mask in its place. Lines end at a carriage return or a line feed.
//
// One object follows one exchange in the order of time, so that an answer is known as secret
// however it is split: feed it what the tool sends and what it receives, piece by piece.
class SecretMasking
{
public:
    // A command goes out whole and starts a line of its own; anything received before it and
    // not ended by a line end is abandoned (the tool discards it before sending).
    QByteArray sent(QByteArrayView bytes);
    QByteArray received(QByteArrayView bytes);

    // Whole lines, sent and received in the order they came: an exchange log, or a command as
    // the logger hears it.
    static QByteArray masked(QByteArrayView lines);
    static QString masked(QStringView lines);

private:
    QByteArray mask(QByteArrayView bytes);
    void endLine();

    QByteArray m_line;            // the line so far
    bool m_lineMasked = false;    // the mask of this line has been shown
    bool m_answerIsSecret = false;
};

} // namespace telvaro::link
