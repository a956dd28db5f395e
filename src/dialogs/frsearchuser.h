#pragma once

#include "dialogs/frsearch.h"

// The search for a user or a group of the configuration database by code or
// full name; GroupMode chooses which. The reserved user and group are never
// listed. One instance serves the whole program (FrSearchUser).
class TFrSearchUser : public TFrSearch
{
    Q_OBJECT
public:
    // On the configuration connection of DmConfig unless another is given.
    explicit TFrSearchUser(QWidget* parent = nullptr, Connection* connection = nullptr);
    ~TFrSearchUser() override;

protected:
    void FormShow() override;
    void BtSearchClick() override;
};

// The program's one search dialog; start-up makes it, or searchUserDialog() on first use.
extern TFrSearchUser* FrSearchUser;
TFrSearchUser& searchUserDialog();
