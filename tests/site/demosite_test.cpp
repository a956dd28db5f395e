// The site tool run as a person runs it: `zaqsite init-demo DIR`.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Every program the demo menu starts, the point-of-sale program among them,
// and the upgrade program the main menu starts by name.
const QStringList kPrograms = {
    QStringLiteral("ZAQACC.EXE"),
    QStringLiteral("ZAQEXPORT.EXE"),
    QStringLiteral("ZAQFIN.EXE"),
    QStringLiteral("ZAQHR.EXE"),
    QStringLiteral("ZAQPOS.EXE"),
    QStringLiteral("ZAQPURCH.EXE"),
    QStringLiteral("ZAQREPORT.EXE"),
    QStringLiteral("ZAQSALES.EXE"),
    QStringLiteral("ZAQUPG.EXE"),
    QStringLiteral("ZAQUTILITY.EXE"),
};

TEST(DemoSite, CarriesTheStandInModuleUnderEveryProgramName)
{
    QTemporaryDir tmp;
    const QString dir = QDir(tmp.path()).filePath(QStringLiteral("site"));
    QProcess zaqsite;
    zaqsite.start(QStringLiteral(ZAQSITE_PATH), { QStringLiteral("init-demo"), dir });
    ASSERT_TRUE(zaqsite.waitForFinished(120000));
    ASSERT_EQ(zaqsite.exitCode(), 0) << zaqsite.readAllStandardError().toStdString();

    const QFileInfo module(QStringLiteral(ZAQMODULE_PATH));
    ASSERT_TRUE(module.isFile());
    QStringList executables;
    for (const QFileInfo& f : QDir(dir).entryInfoList(QDir::Files, QDir::Name)) {
        if (f.isExecutable())
            executables.append(f.fileName());
    }
    // Nothing for the built-in screens ("SELF n") or the folders of the menu, nothing missing.
    EXPECT_EQ(executables, kPrograms);
    for (const QString& name : kPrograms) {
        const QFileInfo copy(QDir(dir).filePath(name));
        EXPECT_EQ(copy.size(), module.size()) << name.toStdString();
        EXPECT_TRUE(copy.permissions() & QFileDevice::ExeOther) << name.toStdString();
    }
}

} // namespace
