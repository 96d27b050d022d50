// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/FormFixture.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

TForm1 &FormFixture::create()
{
    // Nothing the window reaches on its own may land in the user's folders.
    QStandardPaths::setTestModeEnabled(true);
    FormEnvironment environment;
    if (m_programDirectory.isEmpty())
        environment.settingsDirectory = m_dir.path();
    environment.programDirectory = m_programDirectory;
    environment.sound = m_sound;
    environment.automaticUpdate = false;
    environment.words = m_words;
    environment.random = m_random;
    m_form = std::make_unique<TForm1>(environment);
    return *m_form;
}

TForm1 &FormFixture::show()
{
    m_form->show();
    // A failure here counts against the running test; in init() it skips it.
    QTest::qVerify(QTest::qWaitForWindowExposed(m_form.get()), "QTest::qWaitForWindowExposed(form)", "", __FILE__,
                   __LINE__);
    return *m_form;
}

TForm1 &FormFixture::createShown()
{
    create();
    return show();
}

TForm1 &FormFixture::createActive()
{
    create();
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    QTest::qVerify(QTest::qWaitForWindowActive(m_form.get()), "QTest::qWaitForWindowActive(form)", "", __FILE__,
                   __LINE__);
    return *m_form;
}

void FormFixture::buildAllPages()
{
    for (int page = TForm1::Start; page <= TForm1::Solo; ++page)
        m_form->ensurePage(TForm1::Page(page));
}

void FormFixture::destroy()
{
    m_form.reset();
}

QString FormFixture::settingsFilePath() const
{
    return m_dir.filePath(QStringLiteral("Properties.ini"));
}

QByteArray FormFixture::settingsFile() const
{
    QFile file(settingsFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void FormFixture::writeSettingsFile(const QByteArray &bytes) const
{
    QFile file(settingsFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
