-- The stored procedures of the configuration database. Each answers through
-- its output parameters and return value only (SET NOCOUNT ON, no rows), so a
-- client reads them as soon as the call returns. Procedures that change more
-- than one table do it all or not at all, and leave a caller's transaction
-- open and usable when they fail.
IF OBJECT_ID('MENUCAPTION', 'P') IS NOT NULL DROP PROCEDURE MENUCAPTION
/
-- The caption of a menu entry, the rights of the user's group on it, the
-- user's code and sales id. A missing entry gives an empty caption, missing
-- rights give "N", a missing user an empty code and sales id 0.
CREATE PROCEDURE MENUCAPTION
  @MENUID int,
  @USERID int,
  @CAPTION varchar(200) OUTPUT,
  @ACCESS_R char(1) OUTPUT,
  @ADD_R char(1) OUTPUT,
  @MODIFY_R char(1) OUTPUT,
  @DELETE_R char(1) OUTPUT,
  @USERCODE varchar(20) OUTPUT,
  @SALESID int OUTPUT
AS
BEGIN
  SET NOCOUNT ON
  SET @CAPTION = IsNull((SELECT LTrim(RTrim(Description)) FROM Menu WHERE Id = @MENUID), '')
  SET @ACCESS_R = 'N'
  SET @ADD_R = 'N'
  SET @MODIFY_R = 'N'
  SET @DELETE_R = 'N'
  -- Only an exact "Y" grants a right (a binary collation: "y" does not).
  SELECT TOP 1
    @ACCESS_R = CASE WHEN LTrim(RTrim(R.AccessRight)) COLLATE Latin1_General_BIN2 = 'Y' THEN 'Y' ELSE 'N' END,
    @ADD_R = CASE WHEN LTrim(RTrim(R.AddRight)) COLLATE Latin1_General_BIN2 = 'Y' THEN 'Y' ELSE 'N' END,
    @MODIFY_R = CASE WHEN LTrim(RTrim(R.ModifyRight)) COLLATE Latin1_General_BIN2 = 'Y' THEN 'Y' ELSE 'N' END,
    @DELETE_R = CASE WHEN LTrim(RTrim(R.DeleteRight)) COLLATE Latin1_General_BIN2 = 'Y' THEN 'Y' ELSE 'N' END
  FROM UserRight R
  INNER JOIN UserName U ON U.GroupId = R.UserName
  WHERE U.Id = @USERID AND R.Menu = @MENUID
  SET @USERCODE = ''
  SET @SALESID = 0
  SELECT @USERCODE = IsNull(Code, ''), @SALESID = IsNull(Saleman, 0) FROM UserName WHERE Id = @USERID
  RETURN 0
END
/
IF OBJECT_ID('DeleteUser', 'P') IS NOT NULL DROP PROCEDURE DeleteUser
/
-- Removes a user or group together with the database assignments and rights
-- that hang on it, so that no orphan rows stay behind.
CREATE PROCEDURE DeleteUser
  @UserId int
AS
BEGIN
  SET NOCOUNT ON
  DECLARE @outer int
  SET @outer = @@TRANCOUNT
  IF @outer = 0 BEGIN TRANSACTION ELSE SAVE TRANSACTION DeleteUser
  BEGIN TRY
    DELETE FROM UserCompany WHERE UserName = @UserId
    DELETE FROM UserRight WHERE UserName = @UserId
    DELETE FROM UserName WHERE Id = @UserId
    IF @outer = 0 COMMIT TRANSACTION
  END TRY
  BEGIN CATCH
    DECLARE @message nvarchar(2048)
    SET @message = ERROR_MESSAGE()
    IF XACT_STATE() = -1 OR @outer = 0
      ROLLBACK TRANSACTION
    ELSE IF XACT_STATE() = 1
      ROLLBACK TRANSACTION DeleteUser
    RAISERROR(@message, 16, 1)
    RETURN 1
  END CATCH
  RETURN 0
END
/
IF OBJECT_ID('DELETEOLDRIGHT', 'P') IS NOT NULL DROP PROCEDURE DELETEOLDRIGHT
/
-- Deletes every rights row of a group; the rights screen writes the new ones
-- in the same transaction.
CREATE PROCEDURE DELETEOLDRIGHT
  @OLDID int
AS
BEGIN
  SET NOCOUNT ON
  DELETE FROM UserRight WHERE UserName = @OLDID
  RETURN 0
END
/
IF OBJECT_ID('CopyUserRights', 'P') IS NOT NULL DROP PROCEDURE CopyUserRights
/
-- The target group gets exactly the source group's rights: its own rows are
-- replaced, not merged. Copying a group onto itself changes nothing.
CREATE PROCEDURE CopyUserRights
  @FromUser int,
  @ToUser int
AS
BEGIN
  SET NOCOUNT ON
  IF @FromUser = @ToUser RETURN 0
  DECLARE @outer int
  SET @outer = @@TRANCOUNT
  IF @outer = 0 BEGIN TRANSACTION ELSE SAVE TRANSACTION CopyUserRights
  BEGIN TRY
    DELETE FROM UserRight WHERE UserName = @ToUser
    INSERT INTO UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
      SELECT @ToUser, Menu, AccessRight, AddRight, ModifyRight, DeleteRight FROM UserRight WHERE UserName = @FromUser
    IF @outer = 0 COMMIT TRANSACTION
  END TRY
  BEGIN CATCH
    DECLARE @message nvarchar(2048)
    SET @message = ERROR_MESSAGE()
    IF XACT_STATE() = -1 OR @outer = 0
      ROLLBACK TRANSACTION
    ELSE IF XACT_STATE() = 1
      ROLLBACK TRANSACTION CopyUserRights
    RAISERROR(@message, 16, 1)
    RETURN 1
  END CATCH
  RETURN 0
END
