#pragma once

#include "db/connection.h"
#include "db/query.h"
#include "db/storedproc.h"

#include <QMap>
#include <QObject>

// The configuration data module: the connection to the configuration
// database, its shared queries, and most of the logon context of the
// logged-on user. One instance, DmConfig, lives as long as the program.
class TDMConfig : public QObject
{
    Q_OBJECT
public:
    explicit TDMConfig(QObject* parent = nullptr);
    ~TDMConfig() override;

    // Connections and shared queries.
    Connection* DmCfg;
    Connection* DBMaster;
    Query* QChkConfig;
    Query* QSoftware;
    Query* QCompanyConfig;
    Query* QUser;
    Query* QUserGroupId;
    Query* QError;
    StoredProc* SpMenuCaption;
    QStringList SQLUpdate;

    // Logon context (the server name and work date live in the logon dialog,
    // the user id in the main window).
    QString BlankPassword;
    bool ThaiLanguage = false;
    QString UserCode;
    int UserId = 0; // as the last rights lookup was given it: who the security trail names
    int GroupId = 0;
    bool PosUser = false;
    QMap<int, QString> DatabaseNames; // by database type
    QString CurrentDatabaseName;
    QString CompanyNameThai;
    QString MenuCaption;
    bool CanSetOtherUserPass = false;
    QString SaveQuestion;

    // Operations.
    QString ReadServerFile() const;
    void WriteServerFile(const QString& serverName) const;
    void DmCfgBeforeConnect();
    void UniqueUserCodes();
    void DmCfgAfterConnect();
    // False when the database has no company configuration (the program is ending).
    bool GetCompanyConfig(const QString& databaseName);
    void CheckRight(int menuId, int userId);
    // Stores the password for logon into PasswordNew of every row with the
    // code, inside whatever transaction the caller holds; a database error is
    // raised to the caller, so that a save can roll back as a whole.
    void StorePasswordNew(const QString& password, const QString& userCode);
    // The same, answering false on a database error instead.
    bool WritePasswordNew(const QString& password, const QString& userCode);
    bool AskConfirmation(const QString& question) const;
    // Told when the site's public address changes. This program sends the notice nowhere.
    void AddressNotice(const QString& subject, const QString& text) const;

    // The server the configuration connection was last opened on.
    const QString& ConnectedServerName() const { return m_connectedServer; }

private:
    QString m_connectedServer;
    // The database and script of the last upkeep that ran to its end.
    QByteArray m_upkeepStamp;
    QStringList m_upkeepScript;
    // The server and database the security tables were last made sure of, on
    // an engine that cannot tell whether anything changed since.
    QString m_securityUpkept;
};

extern TDMConfig* DmConfig;
