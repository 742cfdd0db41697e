// Resource identifiers of the check list and the drag-and-drop list (read by
// the resource compiler too: definitions only).
#pragma once

#define IDB_CHECKLIST_MARK 216     // the check list's tick, 20 x 13 on white
#define IDB_DRAGDROP_BOXES 20000   // the drag-and-drop list's check boxes, two of 16 x 16 on red
#define IDS_DRAGDROP_DELETE 21723  // the question before a row is deleted
