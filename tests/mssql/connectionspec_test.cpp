#include "config/profiles.h"
#include "db/mssql/connectionspec.h"
#include "db/mssql/odbcsession.h"

#include <gtest/gtest.h>

namespace {

struct ProfileCase
{
    const char* name;
    QStringList lines;
    const char* driver;
    const char* connectionString;
    QStringList connectOptions;
    int queryTimeout;
    bool readOnly;
};

class ProfileMapping : public testing::TestWithParam<ProfileCase>
{
};

TEST_P(ProfileMapping, reachesTheOdbcConnectionAsDocumented)
{
    const ProfileCase& c = GetParam();
    const OdbcConnectionSpec spec = mssqlConnectionSpec(ConnectionProfile(c.lines), QLatin1String(c.driver));
    EXPECT_EQ(spec.connectionString.toStdString(), c.connectionString);
    EXPECT_EQ(spec.connectOptions, c.connectOptions);
    EXPECT_EQ(spec.queryTimeoutSeconds, c.queryTimeout);
    EXPECT_EQ(spec.readOnly, c.readOnly);
    EXPECT_EQ(spec.initStatements, QStringList { QStringLiteral("SET DATEFORMAT dmy") });
    EXPECT_TRUE(spec.castLongValues);
}

const QStringList kTimeoutAndPacket { QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=15"), QStringLiteral("SQL_ATTR_PACKET_SIZE=4096") };
const QStringList kReadOnly { QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=15"), QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY"),
    QStringLiteral("SQL_ATTR_PACKET_SIZE=4096") };

INSTANTIATE_TEST_SUITE_P(FourProfiles, ProfileMapping,
    testing::Values(
        ProfileCase { "master_named_instance_freetds", Profiles::master(QStringLiteral("sql01\\SITE")), "FreeTDS",
            "DRIVER={FreeTDS};SERVER=sql01\\SITE;DATABASE=master;UID=zaq;PWD=hollyoak;ClientCharset=UTF-8", kTimeoutAndPacket, 1200, false },
        ProfileCase { "config_host_port_microsoft", Profiles::config(QStringLiteral("10.0.0.5,1433"), QStringLiteral("ZAQ_CONFIG_QLN")),
            "ODBC Driver 18 for SQL Server", "DRIVER={ODBC Driver 18 for SQL Server};SERVER=10.0.0.5,1433;DATABASE=ZAQ_CONFIG_QLN;UID=zaq;PWD=hollyoak",
            kTimeoutAndPacket, 600, false },
        ProfileCase { "company_main_window_read_only", Profiles::companyMainWindow(QStringLiteral("ZAQSERVER"), QStringLiteral("ABC2024"), true),
            "FreeTDS", "DRIVER={FreeTDS};SERVER=ZAQSERVER;DATABASE=ABC2024;UID=zaq;PWD=hollyoak;ApplicationIntent=ReadOnly;ClientCharset=UTF-8",
            kReadOnly, 600, true },
        ProfileCase { "company_user_screen_read_write", Profiles::companyUserScreen(QStringLiteral("ZAQSERVER"), QStringLiteral("ABC2024"), false),
            "SQL Server", "DRIVER={SQL Server};SERVER=ZAQSERVER;DATABASE=ABC2024;UID=zaq;PWD=hollyoak", kTimeoutAndPacket, 600, false }),
    [](const testing::TestParamInfo<ProfileCase>& caseInfo) { return std::string(caseInfo.param.name); });

TEST(ProfileMapping, bracesValuesThatWouldEndOrAddAnAttribute)
{
    const ConnectionProfile profile({ QStringLiteral("SERVER NAME=host"), QStringLiteral("DATABASE NAME=db"), QStringLiteral("USER NAME=zaq"),
        QStringLiteral("PASSWORD=a;b}c=d") });
    const OdbcConnectionSpec spec = mssqlConnectionSpec(profile, QStringLiteral("FreeTDS"));
    EXPECT_TRUE(spec.connectionString.contains(QLatin1String(";PWD={a;b}}c=d};"))) << spec.connectionString.toStdString();
    EXPECT_TRUE(spec.initStatements.isEmpty()); // no DATE MODE line
    EXPECT_EQ(spec.queryTimeoutSeconds, 0);     // no MAX QUERY TIME line: no limit
    EXPECT_EQ(spec.connectOptions, QStringList { QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=15") });
}

TEST(OdbcDriverChoice, prefersMicrosoftsCurrentDriversThenFreeTds)
{
    struct Case
    {
        QStringList installed;
        QString expected;
    };
    const Case cases[] = {
        { { QStringLiteral("SQLite3"), QStringLiteral("FreeTDS") }, QStringLiteral("FreeTDS") },
        { { QStringLiteral("SQL Server"), QStringLiteral("ODBC Driver 17 for SQL Server") }, QStringLiteral("ODBC Driver 17 for SQL Server") },
        { { QStringLiteral("SQL Server") }, QStringLiteral("SQL Server") },
        { { QStringLiteral("SQLite"), QStringLiteral("SQLite3") }, QString() },
        { {}, QString() },
    };
    for (const Case& c : cases)
        EXPECT_EQ(pickMssqlOdbcDriver(c.installed), c.expected) << c.installed.join(QLatin1Char(',')).toStdString();
}

TEST(ConnectFailureMessage, namesServerDatabaseAndWhatToCheck)
{
    OdbcConnectionSpec spec;
    spec.server = QStringLiteral("sql01");
    spec.database = QStringLiteral("ZAQ_CONFIG");
    spec.driver = QStringLiteral("FreeTDS");
    spec.login = QStringLiteral("zaq");
    struct Case
    {
        const char* codes;
        const char* driverMessage; // as the drivers word it
        const char* expected;
    };
    const Case cases[] = {
        { "20013", "Unable to connect: Adaptive Server is unavailable or does not exist\nUnknown host machine name.", "the server cannot be reached" },
        { "0", "Login timeout expired\nTCP Provider: Error code 0x2749", "the server cannot be reached" },
        { "0", "Can't open lib 'FreeTDS' : file not found", "the ODBC driver \"FreeTDS\" cannot be loaded" },
        { "18456", "Login failed for user 'zaq'.", "the server refused the login \"zaq\"" },
        { "4060;18456", "Cannot open database \"ZAQ_CONFIG\" requested by the login. The login failed.", "the database does not exist there" },
    };
    for (const Case& c : cases) {
        const QString message = odbcConnectFailure(spec, QLatin1String(c.codes), QString::fromUtf8(c.driverMessage));
        EXPECT_TRUE(message.startsWith(QLatin1String("Cannot connect to server \"sql01\", database \"ZAQ_CONFIG\": "))) << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1String(c.expected))) << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1String("Check "))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.driverMessage))) << message.toStdString();
    }
}

TEST(ServerMessage, dropsTheDriverPrefixesOfEveryRecord)
{
    EXPECT_EQ(odbcServerMessage(QStringLiteral("[FreeTDS][SQL Server]Unable to connect to data source [FreeTDS][SQL Server]Unknown host machine name.")),
        QStringLiteral("Unable to connect to data source\nUnknown host machine name."));
    EXPECT_EQ(odbcServerMessage(QStringLiteral("[Microsoft][ODBC Driver 18 for SQL Server][SQL Server]Invalid column name '[x]'.")),
        QStringLiteral("Invalid column name '[x]'."));
}

} // namespace
