// The common dialogs: the colour chooser. It fills the screen with the 48
// basic colours and the program's 16 custom colours as swatches; a tap or
// the arrows choose one, OK (or Return) takes it, Cancel leaves the colour as
// it was.
#pragma once

#include "wince/types.h"
#include "wince/window.h"

#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_PREVENTFULLOPEN 0x00000004
#define CC_ENABLEHOOK 0x00000010
#define CC_SOLIDCOLOR 0x00000080
#define CC_ANYCOLOR 0x00000100

typedef UINT_PTR(CALLBACK* LPCCHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagCHOOSECOLORW {
  DWORD lStructSize;
  HWND hwndOwner;
  HWND hInstance;
  COLORREF rgbResult;
  COLORREF* lpCustColors;  // 16 colours, required
  DWORD Flags;
  LPARAM lCustData;
  LPCCHOOKPROC lpfnHook;  // recorded in the structure only: no hook is called
  LPCWSTR lpTemplateName;
} CHOOSECOLORW, CHOOSECOLOR, *LPCHOOSECOLORW, *LPCHOOSECOLOR;

// The error of the last failed common dialog call (0: none, or the player cancelled).
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
DWORD CommDlgExtendedError();

// TRUE with the chosen colour in rgbResult after OK; FALSE after Cancel or
// for an unusable structure (CommDlgExtendedError tells which).
BOOL ChooseColor(LPCHOOSECOLORW cc);
#define ChooseColorW ChooseColor
