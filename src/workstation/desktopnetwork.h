#pragma once

#include "workstation/workstation.h"

#include <QProcessEnvironment>
#include <QString>
#include <functional>

// How a Linux desktop answers the internet-route question: where its proxy is
// named (the environment, or the desktop's own proxy settings) and whether a
// point-to-point link such as a dial-up modem is up. Each reads what it is
// given, so the answers can be checked against made-up settings.
namespace DesktopNetwork {

// The first proxy named in https_proxy, http_proxy or all_proxy (either case).
ProxySettings proxyFromEnvironment(const QProcessEnvironment& environment);

// KDE's settings file (kioslaverc): switched on when ProxyType is 1 (a proxy
// named by hand), named by the first of httpsProxy, httpProxy, ftpProxy, socksProxy.
// Other types (none, a script, detection, the environment) switch nothing on here.
ProxySettings proxyFromKdeSettings(const QString& path);

// GNOME's settings, as gsettings prints them ("'manual'", "'proxy.lan'", "3128").
// Switched on when org.gnome.system.proxy mode is 'manual', named by the first
// host of its https, http, ftp and socks children, with its port when there is one.
using SettingReader = std::function<QString(const QString& schema, const QString& key)>;
ProxySettings proxyFromGnomeSettings(const SettingReader& read);
// Reads one setting through the gsettings tool; empty when the tool or the key is missing.
QString gsettingsValue(const QString& schema, const QString& key);

// The desktop's proxy: the environment first, then the settings of the desktop
// in use (KDE's file under KDE, GNOME's settings elsewhere).
ProxySettings desktopProxy();

// Interfaces under a /sys/class/net-like folder that are switched on, point to
// point, and have their link (a connected dial-up modem, a live tunnel).
int activePointToPointLinks(const QString& netFolder = QStringLiteral("/sys/class/net"));

} // namespace DesktopNetwork
