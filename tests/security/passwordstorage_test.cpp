// The scrambled PASSWORD keeps all eleven bytes on the SQL Server engine's
// ODBC path (with the SQLite ODBC driver standing in for the server's) and on
// the embedded engine.
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/mssql/odbcsession.h"
#include "db/query.h"
#include "security/passwords.h"
#include "securityfixture.h"

#include <QTemporaryDir>

namespace {

// First bytes that make a zero, bytes above 127 and bytes the Thai code page has no character for.
QList<QByteArray> awkwardValues()
{
    QList<QByteArray> out;
    for (int first : { 0, 1, 0x80, 0xDB, 0xFC, 0xFF - 0x20, 254 })
        for (const char* p : { "", "a", "รหัสลับ", "~~~~~~~~~~" })
            out.append(Passwords::ScramblePassword(QString::fromUtf8(p), first));
    QByteArray everyKind;
    for (int b : { 0, 0x81, 0xDB, 0xDE, 0xFC, 0xFF, 0x7F, 0xA0, 0x20, 0x00, 0x01 })
        everyKind.append(char(b));
    out.append(everyKind);
    return out;
}

TEST(PasswordStorage, ElevenBytesSurviveTheOdbcPath)
{
    QTemporaryDir dir;
    OdbcConnectionSpec spec;
    spec.server = QStringLiteral("odbc-test");
    spec.database = QStringLiteral("config");
    spec.driver = QStringLiteral("SQLite3");
    spec.connectionString = QStringLiteral("DRIVER={SQLite3};Database=") + dir.filePath(QStringLiteral("config.db"));
    OdbcSession session(spec);
    session.run(QStringLiteral("CREATE TABLE UserName (Code VARCHAR(20), PASSWORD VARCHAR(11))"), {});

    int n = 0;
    for (const QByteArray& value : awkwardValues()) {
        const QString code = QStringLiteral("U%1").arg(++n);
        ParamValues p;
        p.set(QStringLiteral("Code"), code);
        p.set(QStringLiteral("PASSWORD"), value);
        session.run(QStringLiteral("insert into UserName (Code, PASSWORD) values (:Code, :PASSWORD)"), p);
        // Read as bytes, as the program's own select reads it (SQLite's cast
        // standing in for SQL Server's "Cast(PASSWORD As VarBinary(11))").
        auto q
            = session.run(QStringLiteral("select Cast(PASSWORD As Blob) PASSWORD from UserName where Code = :Code"), p);
        ASSERT_TRUE(q->next());
        EXPECT_EQ(q->value(0).toByteArray(), value) << code.toStdString();
    }

    // A value an older program wrote for "secret" with the first byte 200.
    session.run(QStringLiteral("insert into UserName (Code, PASSWORD) values ('OLDPROG', X'%1')")
                    .arg(QString::fromLatin1(Passwords::ScramblePassword(QStringLiteral("secret"), 200).toHex())),
        {});
    auto q = session.run(QStringLiteral("select Cast(PASSWORD As Blob) from UserName where Code = 'OLDPROG'"), {});
    ASSERT_TRUE(q->next());
    EXPECT_EQ(Passwords::UnscramblePassword(q->value(0).toByteArray()), QStringLiteral("secret"));
}

class EmbeddedStorage : public SecuritySite
{
};

TEST_F(EmbeddedStorage, ElevenBytesSurviveTheRecordQueryAndItsWrite)
{
    // Written and read with the screen's own statements.
    Query read(dm.DmCfg, Sql::QUserName);
    for (const QByteArray& value : awkwardValues()) {
        Query write(dm.DmCfg, { QStringLiteral("Update UserName Set PASSWORD = :PASSWORD Where Code = 'BOB'") });
        write.setParam(QStringLiteral("PASSWORD"), value);
        write.execSql();
        read.close();
        read.setParam(QStringLiteral("GetCode"), QStringLiteral("BOB"));
        read.setParam(QStringLiteral("isDepartment"), QStringLiteral("N"));
        read.open();
        EXPECT_EQ(read.field(QStringLiteral("PASSWORD")).asBytes(), value);
    }
    // A text stored by a script reads as its code-page bytes.
    site.config(QStringLiteral("Update UserName Set PASSWORD = 'abc' Where Code = 'BOB'"));
    read.close();
    read.open();
    EXPECT_EQ(read.field(QStringLiteral("PASSWORD")).asBytes(), QByteArray("abc"));
}

} // namespace
