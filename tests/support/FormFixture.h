// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/RecordingSound.h"
#include "support/UnexpectedBoxGuard.h"
#include "window/TForm1.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A control of a window by object name; a missing one ends the run, as
// every test that asks for it would fail.
template<typename T>
T *controlOf(const QWidget *form, const char *name)
{
    T *found = form->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// The game's main window against a settings folder of its own, with a
// sound service that records instead of playing. The window is made on
// request, so that a test can first write the Properties.ini it wants.
// One fixture serves one test function: make it in init(), drop it in
// cleanup().
class FormFixture
{
public:
    // Makes the window, reading the settings folder as it is now.
    TForm1 &create();
    // Shows the window made by create() and waits until it is exposed.
    TForm1 &show();
    // create() and show() in one.
    TForm1 &createShown();
    // Makes the window and shows it as the active one, for tests of the
    // keyboard focus and accelerators.
    TForm1 &createActive();
    // Builds every page of the window made by create(), as if each had
    // been shown once, for tests that reach into any page's controls.
    void buildAllPages();
    // Closes the window; it writes its settings file as it goes.
    void destroy();
    // Windows made from now on stand for a program installed in that
    // folder: their settings go where such a program keeps them, not into
    // the fixture's folder.
    void installIn(const QString &programDirectory) { m_programDirectory = programDirectory; }

    // Windows made from now on play alone with these words, drawn by this
    // random source.
    void playAloneWith(std::shared_ptr<const WordList> words, std::function<int(int)> random)
    {
        m_words = std::move(words);
        m_random = std::move(random);
    }

    RecordingSound &sound() const { return *m_sound; }

    QString settingsFilePath() const;
    // The settings file's bytes; empty when there is none.
    QByteArray settingsFile() const;
    void writeSettingsFile(const QByteArray &bytes) const;

    // A child of the window by object name; a missing one ends the run,
    // as every test that asks for it would fail.
    template<typename T>
    T *control(const char *name) const
    {
        if (!m_form)
            qFatal("no window for %s", name);
        return controlOf<T>(m_form.get(), name);
    }

private:
    UnexpectedBoxGuard m_boxGuard;
    // In this order, so that the window is gone before its folder.
    QTemporaryDir m_dir;
    std::shared_ptr<RecordingSound> m_sound = std::make_shared<RecordingSound>();
    QString m_programDirectory;
    std::shared_ptr<const WordList> m_words;
    std::function<int(int)> m_random;
    std::unique_ptr<TForm1> m_form;
};
