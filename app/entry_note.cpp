#include "app/entry_note.h"

#include "runtime/cp1251.h"

namespace lumi::app {

Text NoteText() { return cp1251::FromUtf8("Сделано в Plexo."); }
Text NoteCaption() { return "Plexo Info"; }

}  // namespace lumi::app
