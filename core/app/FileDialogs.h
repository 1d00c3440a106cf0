#pragma once
// The main window's file dialogs as data: kind, filters, default extension and
// title, each declared beside its format. The editor builds its dialogs from
// these, and tesslor-cli stands in for them with the same values.
#include "files/Bitmap.h"
#include "files/LedDataFile.h"
#include "files/OldLedFile.h"
