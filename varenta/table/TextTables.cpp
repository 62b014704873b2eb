// The program's texts are kept in one table per module, all in the namespace
// varenta::texts. Including every table in one translation unit turns a name
// given twice into a compile error here, instead of two definitions that the
// linker silently merges into one.
#include "varenta/engine/Texts.h"
#include "varenta/net/mail/MailTexts.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/store/StoreTexts.h"
#include "varenta/table/NetworkTexts.h"
#include "varenta/table/TableTexts.h"
