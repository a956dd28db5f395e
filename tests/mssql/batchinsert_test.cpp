// Saves of many rows in multi-row statements, on both engines: the embedded
// one, and the SQL Server engine's ODBC path with the SQLite ODBC driver
// standing in for the server. Batches split where SQL Server needs them to
// (1,000 rows, 2,000 parameters) and one transaction holds them all.
#include "db/batchinsert.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/embedded/server.h"
#include "db/mssql/odbcsession.h"
#include "db/query.h"
#include "qtapplication.h"
#include "sqliteodbcsession.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const auto* const g_app = testing::AddGlobalTestEnvironment(new QtApplication);

enum class Engine { Embedded, Odbc };

class BatchSave : public testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        EmbeddedServer::create(m_dir.path(), QStringLiteral("zaq"), QStringLiteral("pw"));
        EmbeddedServer::createDatabase(m_dir.path(), QStringLiteral("items"));
        m_db.setProfile(ConnectionProfile({ QStringLiteral("SERVER NAME=") + m_dir.path(), QStringLiteral("DATABASE NAME=items"),
            QStringLiteral("USER NAME=zaq"), QStringLiteral("PASSWORD=pw") }));
        if (GetParam() == Engine::Odbc)
            openEverySessionOverSqliteOdbc();
        m_db.open();
        Query(&m_db, { QStringLiteral("Create Table Item (Id Int Not Null Primary Key, Name VarChar(20) Not Null, Note VarChar(20), Qty Int)") }).execSql();
    }
    void TearDown() override
    {
        m_db.close();
        setEngineSessionMaker({});
    }

    int count(const QString& where = QStringLiteral("1 = 1"))
    {
        Query q(&m_db, { QStringLiteral("Select Count(*) From Item Where ") + where });
        q.open();
        return q.field(0).asInteger();
    }

    QTemporaryDir m_dir;
    Connection m_db { QStringLiteral("items") };
};

TEST_P(BatchSave, splitsAtTheRowAndParameterLimitsAndStoresEveryRowAsGiven)
{
    struct Case
    {
        int rows;
        int parameters; // a row's values that are not whole numbers: none, the two texts, or those and the quantity as a text
        int statements;
    };
    // At most 1,000 rows a statement, and 2,000 parameters: 666 rows of three.
    const Case cases[] = { { 1, 2, 1 }, { 1000, 0, 1 }, { 1001, 0, 2 }, { 2500, 2, 3 }, { 666, 3, 1 }, { 667, 3, 2 } };
    for (const Case& c : cases) {
        Query(&m_db, { QStringLiteral("Delete From Item") }).execSql();
        const quint64 before = OdbcSession::totalExecutions();
        Transaction t(m_db);
        BatchInsert insert(m_db, QStringLiteral("Item"), { QStringLiteral("Id"), QStringLiteral("Name"), QStringLiteral("Note"), QStringLiteral("Qty") });
        for (int i = 1; i <= c.rows; ++i) {
            const QVariant qty = c.parameters == 3 ? QVariant(QString::number(-i)) : QVariant(-i);
            if (c.parameters > 0)
                insert.add({ i, QStringLiteral("ชื่อ'%1").arg(i), i % 2 ? QVariant(QStringLiteral(":Qty")) : QVariant(), qty });
            else
                insert.add({ i, 7, 8, -i }); // whole numbers into text columns convert as the server converts them
        }
        EXPECT_EQ(insert.finish(), c.rows);
        t.commit();
        EXPECT_EQ(insert.statements(), c.statements) << c.rows;
        if (GetParam() == Engine::Odbc) { // begin, the statements, commit
            EXPECT_EQ(OdbcSession::totalExecutions() - before, quint64(c.statements + 2)) << c.rows;
        }
        EXPECT_EQ(count(), c.rows);
        if (c.parameters > 0) {
            EXPECT_EQ(count(QStringLiteral("Note Is Null")), c.rows / 2);
            EXPECT_EQ(count(QStringLiteral("Note = ':Qty' And Qty = -Id")), (c.rows + 1) / 2);
            Query last(&m_db, { QStringLiteral("Select Name From Item Where Id = :Id") });
            last.setParam(QStringLiteral("Id"), c.rows);
            last.open();
            EXPECT_EQ(last.field(0).asString(), QStringLiteral("ชื่อ'%1").arg(c.rows));
        }
    }
}

TEST_P(BatchSave, aFailureInALaterBatchTakesTheEarlierOnesBack)
{
    Query(&m_db, { QStringLiteral("Insert Into Item (Id, Name) Values (1500, 'kept')") }).execSql();
    try {
        Transaction t(m_db);
        BatchInsert insert(m_db, QStringLiteral("Item"), { QStringLiteral("Id"), QStringLiteral("Name"), QStringLiteral("Note"), QStringLiteral("Qty") });
        for (int i = 1; i <= 1600; ++i) // the second statement meets the row already stored
            insert.add({ i, QStringLiteral("n"), QVariant(), 0 });
        insert.finish();
        t.commit();
        FAIL() << "saved";
    } catch (const DbError&) {
    }
    EXPECT_EQ(count(), 1);
    EXPECT_THROW(BatchInsert(m_db, QStringLiteral("Item"), { QStringLiteral("Id") }).add({ 1, 2 }), DbError);
}

INSTANTIATE_TEST_SUITE_P(BothEngines, BatchSave, testing::Values(Engine::Embedded, Engine::Odbc),
    [](const testing::TestParamInfo<Engine>& engine) { return engine.param == Engine::Embedded ? std::string("Embedded") : std::string("Odbc"); });

} // namespace
