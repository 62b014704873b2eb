// The mail account of the address exchange as the settings store keeps it
// ("Network\\..."). The password is kept scrambled in the settings file,
// every byte replaced by its complement, so it is not readable at a glance
// (this is no encryption).
#pragma once

#include "varenta/net/mail/MailAccount.h"

#include <QString>

namespace varenta {

class SettingsFile;

// Texts are cut to MailAccount::kMaxLength, security choices clamped.
MailAccount ReadMailAccount(SettingsFile& store);
void WriteMailAccount(SettingsFile& store, const MailAccount& account);

// The stored form of a password and back (the same operation both ways):
// each byte of its UTF-8 form becomes 255 minus that byte; the bytes are
// kept as Latin-1 characters, so an ASCII password keeps its length.
QString ScramblePassword(const QString& password);
QString UnscramblePassword(const QString& stored);

} // namespace varenta
