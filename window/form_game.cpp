// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Game page: guessing, the countdown and the drawing of the word.
#include "window/TForm1.h"

#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TPaintBox.h"
#include "game/WordLayout.h"
#include "net/PeerLink.h"
#include "platform/SoundService.h"

#include <QCheckBox>
#include <QCollator>
#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

namespace {

constexpr int kCharacterPoints = 28;
constexpr int kNumberPoints = 10;

// Wrong guesses are listed in dictionary order, so Ä stands beside A and
// not behind Z.
class WrongGuessItem : public QListWidgetItem
{
public:
    // Each guess fills its column of the list and stands in its middle,
    // apart from its neighbours.
    WrongGuessItem(QChar guess, QSize column)
        : QListWidgetItem(QString(guess))
    {
        setSizeHint(column);
        setTextAlignment(Qt::AlignCenter);
    }

    bool operator<(const QListWidgetItem &other) const override
    {
        static const QCollator collator = [] {
            QCollator german{QLocale(QLocale::German, QLocale::Germany)};
            german.setCaseSensitivity(Qt::CaseInsensitive);
            return german;
        }();
        const int order = collator.compare(text(), other.text());
        return order != 0 ? order < 0 : text() < other.text();
    }
};

} // namespace

void TForm1::GameStartGameClick()
{
    GameStartGame->hide();

    Round::Rules rules;
    rules.maxMistakes = int(MaxMistakes->Value());
    rules.timeLimit = NoLimit->isChecked()   ? Round::TimeLimit::None
                      : perLetter->isChecked() ? Round::TimeLimit::PerGuess
                                               : Round::TimeLimit::WholeTurn;
    // The countdown starts from what word acceptance put on the clock.
    rules.startSeconds = int(Time->Value());
    rules.periodSeconds = TimeLimit->value();
    rules.firstLetterGiven = SetFirstLetter->isChecked();

    // The given first letter is a guess of its own, made silently.
    if (const std::optional<Round::Guess> reveal = RoundState.start(rules))
        showGuess(*reveal, RoundState.SecretWord.at(0), false);
    else
        DrawWord();

    if (RoundState.clockRuns())
        Timer->start();

    if (LocalGuesses())
        peer().sendStart();
}

void TForm1::FormKeyPress(QObject *sender, QChar key)
{
    // The setter's own keyboard cannot guess; the peer's guesses arrive
    // without a sender and pass.
    if (currentPage() != GamePage || !RoundState.RoundRunning || (LocalSetsWord() && sender))
        return;

    const Round::Guess result = RoundState.guess(key);
    showGuess(result, key, true);

    const bool counted = result != Round::Guess::Refused && result != Round::Guess::Repeated;
    if (counted && LocalGuesses() && sender == this)
        peer().sendGuess(key);
}

void TForm1::showGuess(Round::Guess result, QChar key, bool audible)
{
    auto play = [this, audible](const char *name) {
        if (audible)
            PlaySoundResource(QLatin1String(name));
    };

    switch (result) {
    case Round::Guess::Refused:
    case Round::Guess::Repeated:
        if (audible)
            sound().beep();
        return;
    case Round::Guess::Hit:
    case Round::Guess::Won:
        play("RICHTIG");
        break;
    case Round::Guess::Miss:
    case Round::Guess::Lost: {
        curMistakes->setValue(RoundState.mistakes());
        auto *wrongGuess = new WrongGuessItem(upperCaseOf(key), CharList->gridSize());
        CharList->addItem(wrongGuess);
        CharList->sortItems();
        // Sorted in, the new guess may land beyond the visible columns.
        CharList->scrollToItem(wrongGuess);
        play("FALSCH");
        break;
    }
    }

    if (result == Round::Guess::Lost) {
        Timer->stop();
        play("VERLOREN");
        GameOK->show();
    }

    if (RoundState.timeLimit() == Round::TimeLimit::PerGuess) {
        Time->setValue(RoundState.secondsLeft());
        // A fresh period: the next tick comes a whole second after the guess.
        if (Timer->isActive())
            Timer->start();
    }

    repaintWord();
    if (result == Round::Guess::Won) {
        Timer->stop();
        play("GEWONNEN");
        GameOK->show();
    }
}

void TForm1::TimerTimer()
{
    const Round::Tick tick = RoundState.tick();
    // A tick that was already queued when the turn ended changes nothing.
    if (tick == Round::Tick::Ignored) {
        Timer->stop();
        return;
    }

    Time->setValue(RoundState.secondsLeft());
    PlaySoundResource(QStringLiteral("ZEIT"));
    if (tick == Round::Tick::Counted)
        return;

    // Running out of time costs the full count of mistakes.
    Timer->stop();
    curMistakes->setValue(RoundState.mistakes());
    repaintWord();
    PlaySoundResource(QStringLiteral("VERLOREN"));
    GameOK->show();
}

// The word's picture and what screen readers read of it follow the game.
void TForm1::repaintWord()
{
    WordPaintBox->update();
    showWordToReaders();
}

// The picture itself is painted by FormPaint; here the paint box is told
// that its picture changed, and a word revealed in full ends the turn.
void TForm1::DrawWord()
{
    if (!RoundState.RoundRunning && !RoundState.RoundOver)
        return;

    repaintWord();
    if (RoundState.settle()) {
        Timer->stop();
        PlaySoundResource(QStringLiteral("GEWONNEN"));
        GameOK->show();
    }
}

void TForm1::FormPaint(QPainter &painter)
{
    if (currentPage() != GamePage || (!RoundState.RoundRunning && !RoundState.RoundOver))
        return;

    // Point sizes become pixels once, at the box's resolution, so that the
    // picture is the same on screen and when rendered into an image.
    const int dpi = WordPaintBox->logicalDpiY();
    QFont characterFont = font();
    characterFont.setPixelSize(qRound(kCharacterPoints * dpi / 72.0));
    QFont numberFont = font();
    numberFont.setPixelSize(qRound(kNumberPoints * dpi / 72.0));
    const QFontMetrics characterMetrics(characterFont);
    const QFontMetrics numberMetrics(numberFont);

    const QColor textColour = WordPaintBox->palette().color(QPalette::WindowText);
    const QColor missingColour(255, 0, 0);
    const QColor background = WordPaintBox->palette().color(QPalette::Window);
    // Once the turn is over, what was not guessed shows in red.
    auto colourAt = [this, &textColour, &missingColour](int i) {
        const bool missing = !RoundState.isRevealed(RoundState.SecretWord.at(i));
        return missing && RoundState.RoundOver ? missingColour : textColour;
    };

    // Each text goes on an opaque patch of the background, as a solid brush
    // would leave it.
    auto drawCentred = [&painter, &background](const QFontMetrics &metrics, int centreX, int top,
                                                 const QString &text) {
        const int width = metrics.horizontalAdvance(text);
        const QRect patch(WordLayout::centredLeft(centreX, width), top, width, metrics.height());
        painter.fillRect(patch, background);
        painter.drawText(patch.left(), top + metrics.ascent(), text);
    };

    // Line by line, the characters and then their numbers: within a line
    // the two never overlap, and changing the font only twice per line keeps
    // repainting a long word cheap.
    painter.save();
    const QString &word = RoundState.SecretWord;
    const int perLine = WordLayout::cellsPerLine();
    for (int lineStart = 0; lineStart < word.size(); lineStart += perLine) {
        const int lineEnd = qMin(lineStart + perLine, int(word.size()));

        painter.setFont(characterFont);
        for (int i = lineStart; i < lineEnd; ++i) {
            const QPoint cell = WordLayout::cellOrigin(i + 1);
            QChar c = word.at(i);
            if (!RoundState.isRevealed(c) && !RoundState.RoundOver)
                c = QLatin1Char('_');
            painter.setPen(colourAt(i));
            drawCentred(characterMetrics, cell.x() + WordLayout::kCellCentre, cell.y(),
                        QLatin1Char(' ') + c + QLatin1Char(' '));
        }

        // Each number sits right under its character's own height.
        painter.setFont(numberFont);
        for (int i = lineStart; i < lineEnd; ++i) {
            const QPoint cell = WordLayout::cellOrigin(i + 1);
            painter.setPen(colourAt(i));
            drawCentred(numberMetrics, cell.x() + WordLayout::kCellCentre, cell.y() + characterMetrics.height(),
                        QString::number(i + 1));
        }
    }
    painter.restore();
}

bool TForm1::PlaySoundResource(const QString &name)
{
    if (!PlaySounds->isChecked())
        return false;
    return sound().playResource(name);
}
