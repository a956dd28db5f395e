#include "config/profiles.h"

#include <gtest/gtest.h>

namespace {

// The lines every profile shares; each case names the lines in which it differs.
QStringList shared()
{
    return { QString(), QString(), QStringLiteral("USER NAME=zaq"), QStringLiteral("OPEN MODE=READ/WRITE"), QStringLiteral("SCHEMA CACHE SIZE=8"),
        QStringLiteral("BLOB EDIT LOGGING="), QStringLiteral("LANGDRIVER="), QStringLiteral("SQLQRYMODE="),
        QStringLiteral("SQLPASSTHRU MODE=SHARED AUTOCOMMIT"), QStringLiteral("DATE MODE=1"), QStringLiteral("SCHEMA CACHE TIME=-1"),
        QStringLiteral("MAX QUERY TIME=600"), QStringLiteral("MAX ROWS=-1"), QStringLiteral("BATCH COUNT=200"),
        QStringLiteral("ENABLE SCHEMA CACHE=FALSE"), QStringLiteral("SCHEMA CACHE DIR="), QStringLiteral("HOST NAME="),
        QStringLiteral("APPLICATION NAME="), QStringLiteral("NATIONAL LANG NAME="), QStringLiteral("ENABLE BCD=True"),
        QStringLiteral("TDS PACKET SIZE=4096"), QStringLiteral("BLOBS TO CACHE=-1"), QStringLiteral("BLOB SIZE=64"),
        QStringLiteral("PASSWORD=hollyoak") };
}

QStringList with(std::initializer_list<std::pair<int, const char*>> changes)
{
    QStringList lines = shared();
    for (const auto& [line, text] : changes)
        lines[line - 1] = QString::fromUtf8(text);
    return lines;
}

TEST(Profiles, EachProfileLineByLine)
{
    const struct
    {
        const char* name;
        QStringList actual;
        QStringList expected;
    } cases[] = {
        { "master", Profiles::master(QStringLiteral("SRV1")), with({ { 1, "DATABASE NAME=master" }, { 2, "SERVER NAME=SRV1" }, { 12, "MAX QUERY TIME=1200" } }) },
        { "configuration", Profiles::config(QStringLiteral("SRV1"), QStringLiteral("ZAQ_CONFIG_QLN")),
            with({ { 1, "DATABASE NAME=ZAQ_CONFIG_QLN" }, { 2, "SERVER NAME=SRV1" } }) },
        { "company, main window", Profiles::companyMainWindow(QStringLiteral("SRV1"), QStringLiteral("QLN2026"), false),
            with({ { 1, "SERVER NAME=SRV1" }, { 2, "DATABASE NAME=QLN2026" }, { 20, "ENABLE BCD=TRUE" }, { 22, "BLOBS TO CACHE=64" }, { 23, "BLOB SIZE=32" } }) },
        { "company, main window, read-only", Profiles::companyMainWindow(QString(), QStringLiteral("QLN2026"), true),
            with({ { 1, "SERVER NAME=" }, { 2, "DATABASE NAME=QLN2026" }, { 4, "OPEN MODE=READ" }, { 20, "ENABLE BCD=TRUE" }, { 22, "BLOBS TO CACHE=64" },
                { 23, "BLOB SIZE=32" } }) },
        { "company, user screen, read-only", Profiles::companyUserScreen(QStringLiteral("SRV1"), QStringLiteral("QLN2026"), true),
            with({ { 1, "DATABASE NAME=QLN2026" }, { 2, "SERVER NAME=SRV1" }, { 4, "OPEN MODE=READ" } }) },
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.actual.size(), 24) << c.name;
        for (int i = 0; i < 24; ++i)
            EXPECT_EQ(c.actual[i].toStdString(), c.expected[i].toStdString()) << c.name << ", line " << i + 1;
    }
    EXPECT_EQ(Profiles::configTail(QStringLiteral("SRV1")), Profiles::config(QStringLiteral("SRV1"), QStringLiteral("X")).mid(1));
}

} // namespace
