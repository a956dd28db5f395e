// The ODBC code path of the SQL Server engine, end to end through the real
// driver manager, with the SQLite ODBC driver standing in for SQL Server's.

#include "db/dberror.h"
#include "db/mssql/odbcsession.h"
#include "db/mssql/session.h"
#include "qtapplication.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const auto* const g_app = testing::AddGlobalTestEnvironment(new QtApplication);

ParamValues values(std::initializer_list<std::pair<const char*, QVariant>> list)
{
    ParamValues p;
    for (const auto& [name, value] : list)
        p.set(QLatin1String(name), value);
    return p;
}

class OdbcPath : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_session = open();
        m_session->run(QStringLiteral("CREATE TABLE Item (Id INTEGER, Name VARCHAR(100), Qty INTEGER, Data BLOB)"), {});
    }

    std::unique_ptr<OdbcSession> open(bool readOnly = false)
    {
        OdbcConnectionSpec spec;
        spec.server = QStringLiteral("odbc-test");
        spec.database = QStringLiteral("items");
        spec.driver = QStringLiteral("SQLite3");
        spec.connectionString = QStringLiteral("DRIVER={SQLite3};Database=") + m_dir.filePath(QStringLiteral("items.db"));
        spec.connectOptions = QStringList { QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=15") };
        spec.queryTimeoutSeconds = 30; // every statement goes through the time-limit call
        spec.readOnly = readOnly;
        return std::make_unique<OdbcSession>(spec);
    }

    void insert(int id, const QVariant& name, const QVariant& qty = 0, const QVariant& data = QVariant())
    {
        m_session->run(QStringLiteral("insert into Item (Id, Name, Qty, Data) values (:Id, :Name, :Qty, :Data)"),
            values({ { "id", id }, { "NAME", name }, { "Qty", qty }, { "data", data } }));
    }

    int count()
    {
        auto q = m_session->run(QStringLiteral("select count(*) from Item"), {});
        return q->next() ? q->value(0).toInt() : -1;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<OdbcSession> m_session;
};

TEST_F(OdbcPath, bindsANameUsedTwiceAtBothPlacesWhateverItsCase)
{
    insert(1, QStringLiteral("one"), 1);
    insert(2, QStringLiteral("two"), 2);
    insert(3, QStringLiteral("three"), 2);
    auto q = m_session->run(QStringLiteral("select Name from Item where Id = :Wanted or Qty = :WANTED order by Id"), values({ { "wanted", 2 } }));
    ASSERT_TRUE(q->isSelect());
    EXPECT_EQ(q->record().fieldName(0), QStringLiteral("Name"));
    QStringList names;
    while (q->next())
        names.append(q->value(0).toString());
    EXPECT_EQ(names, (QStringList { QStringLiteral("two"), QStringLiteral("three") }));

    EXPECT_THROW(m_session->run(QStringLiteral("select * from Item where Id = :Missing"), {}), DbError);
}

TEST_F(OdbcPath, roundTripsNullThaiTextAndEveryByte)
{
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(char(b));
    const QString thai = QStringLiteral("ผู้ดูแลระบบ ทดสอบภาษาไทย");
    insert(1, thai, QVariant(), everyByte);
    insert(2, QVariant(), 5, QVariant());

    auto q = m_session->run(QStringLiteral("select Name, Qty, Data from Item where Name = :Name"), values({ { "Name", thai } }));
    ASSERT_TRUE(q->next());
    EXPECT_EQ(q->value(0).toString(), thai);
    EXPECT_TRUE(q->value(1).isNull());
    EXPECT_EQ(q->value(2).toByteArray(), everyByte);
    EXPECT_FALSE(q->next());

    q = m_session->run(QStringLiteral("select Name, Data from Item where Id = 2"), {});
    ASSERT_TRUE(q->next());
    EXPECT_TRUE(q->value(0).isNull());
    EXPECT_TRUE(q->value(1).isNull());
}

TEST_F(OdbcPath, reportsTheRowsAStatementChanged)
{
    insert(1, QStringLiteral("a"));
    insert(2, QStringLiteral("b"));
    insert(3, QStringLiteral("c"));
    auto q = m_session->run(QStringLiteral("update Item set Qty = 9 where Id >= :From"), values({ { "from", 2 } }));
    EXPECT_FALSE(q->isSelect());
    EXPECT_EQ(q->numRowsAffected(), 2);
}

TEST_F(OdbcPath, commitsAndRollsBackTransactions)
{
    m_session->beginTransaction();
    insert(1, QStringLiteral("gone"));
    m_session->rollback();
    EXPECT_EQ(count(), 0);

    m_session->beginTransaction();
    insert(2, QStringLiteral("kept"));
    m_session->commit();
    // A second connection sees what the first committed.
    auto other = open();
    auto q = other->run(QStringLiteral("select Name from Item"), {});
    ASSERT_TRUE(q->next());
    EXPECT_EQ(q->value(0).toString(), QStringLiteral("kept"));
}

TEST_F(OdbcPath, bringsTheDriversErrorToTheCallerWithServerDatabaseAndStatement)
{
    try {
        m_session->run(QStringLiteral("select * from NoSuchTable"), {});
        FAIL() << "no error";
    } catch (const DbError& e) {
        const QString m = e.message();
        EXPECT_TRUE(m.startsWith(QLatin1String("no such table: NoSuchTable"))) << m.toStdString();
        EXPECT_TRUE(m.contains(QLatin1String("[server \"odbc-test\", database \"items\"]"))) << m.toStdString();
        EXPECT_TRUE(m.endsWith(QLatin1String("select * from NoSuchTable"))) << m.toStdString();
    }
}

TEST_F(OdbcPath, aResultReadHalfWayKeepsItsRowsWhenTheConnectionMovesOn)
{
    for (int i = 1; i <= 5; ++i)
        insert(i, QStringLiteral("row %1").arg(i));
    auto first = m_session->run(QStringLiteral("select Id from Item order by Id"), {});
    ASSERT_TRUE(first->next());
    ASSERT_TRUE(first->next());
    EXPECT_EQ(first->value(0).toInt(), 2);

    insert(6, QStringLiteral("later")); // the connection is needed for something else
    auto second = m_session->run(QStringLiteral("select count(*) from Item"), {});
    ASSERT_TRUE(second->next());
    EXPECT_EQ(second->value(0).toInt(), 6);

    QList<int> rest;
    while (first->next())
        rest.append(first->value(0).toInt());
    EXPECT_EQ(rest, (QList<int> { 3, 4, 5 })); // the rows as they were when the query ran
    EXPECT_FALSE(first->lastError().isValid());
}

TEST_F(OdbcPath, aResultOutlivingItsConnectionEndsInsteadOfCrashing)
{
    insert(1, QStringLiteral("a"));
    insert(2, QStringLiteral("b"));
    auto q = m_session->run(QStringLiteral("select Id from Item"), {});
    m_session.reset();
    EXPECT_FALSE(q->next());
    EXPECT_TRUE(q->lastError().isValid());
}

TEST_F(OdbcPath, aReadOnlyConnectionRefusesWritesButAnswersQueries)
{
    insert(1, QStringLiteral("a"));
    auto reader = open(true);
    for (const char* write : { "insert into Item (Id) values (2)", "update Item set Qty = 1", "delete from Item", "drop table Item" }) {
        try {
            reader->run(QLatin1String(write), {});
            ADD_FAILURE() << write << " ran";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("read-only (OPEN MODE=READ)"))) << e.message().toStdString();
        }
    }
    QList<ProcParam> none;
    EXPECT_THROW(reader->callProcedure(QStringLiteral("DeleteUser"), none), DbError);
    auto q = reader->run(QStringLiteral("select count(*) from Item"), {});
    ASSERT_TRUE(q->next());
    EXPECT_EQ(q->value(0).toInt(), 1);
}

TEST(OdbcConnect, aMissingDriverNamesServerAndDatabase)
{
    OdbcConnectionSpec spec;
    spec.server = QStringLiteral("sql01");
    spec.database = QStringLiteral("ZAQ_CONFIG");
    spec.driver = QStringLiteral("No Such Driver");
    spec.connectionString = QStringLiteral("DRIVER={No Such Driver};SERVER=sql01");
    try {
        OdbcSession session(spec);
        FAIL() << "connected";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("Cannot connect to server \"sql01\", database \"ZAQ_CONFIG\": the ODBC driver"))) << e.message().toStdString();
    }
}

TEST(OdbcConnect, anUnknownSqlServerHostFailsQuicklyWithWhatToCheck)
{
    // Through the real engine factory and FreeTDS; "invalid" never resolves.
    if (pickMssqlOdbcDriver(installedOdbcDrivers()).isEmpty())
        GTEST_SKIP() << "no SQL Server ODBC driver installed";
    const ConnectionProfile profile({ QStringLiteral("DATABASE NAME=ZAQ_CONFIG"), QStringLiteral("SERVER NAME=no-such-host.invalid"),
        QStringLiteral("USER NAME=zaq"), QStringLiteral("PASSWORD=hollyoak") });
    QElapsedTimer clock;
    clock.start();
    try {
        openEngineSession(profile);
        FAIL() << "connected";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QLatin1String("Cannot connect to server \"no-such-host.invalid\", database \"ZAQ_CONFIG\": the server cannot be reached.")))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QLatin1String("Server.Dat")));
    }
    EXPECT_LT(clock.elapsed(), (kMssqlLoginTimeoutSeconds + 5) * 1000);
}

} // namespace
