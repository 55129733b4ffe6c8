// DialogTitle.h - the wizard's name as its dialog's caption shows it: one definition for the code
// (kDialogTitle in DialogFields.h) and for the Windows resources (wizard.rc: the captions, the About
// text, the version information).
//
// Shell layer. Plain #defines in UTF-8 only: the resource compiler reads this file too.
#pragma once

#define SKIPFLOOR_DIALOG_TITLE "スキップフロア準備ウィザード"
