#pragma once

#include "localeitems.h"

#include <QProcessEnvironment>

// Reads the locale items from the C library's locale as the environment names it
// (LC_ALL, then LC_TIME or LC_NUMERIC, then LANG). The C and POSIX locales count as
// unreadable, so every item then takes its fall-back.
namespace PosixLocaleReader {

LocaleItems read(const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());

// The locale name that governs one category ("LC_TIME", "LC_NUMERIC") in that environment.
QString localeName(const QProcessEnvironment &env, const QString &category);

} // namespace PosixLocaleReader
