// The help and credits panels, each with a close area top right.
#pragma once

#include "screens/kit.h"

extern Panel HelpPanel;
extern ButtonRecord HelpButtons[2];     // 1: the close area
extern Panel CreditsPanel;
extern ButtonRecord CreditsButtons[2];  // 1: the close area

// The close area is all there is to visit.
constexpr int CloseAreaFocusItems[] = {1};
constexpr FocusOrder HelpFocus{HelpButtons, CloseAreaFocusItems, 1, false, nullptr};
constexpr FocusOrder CreditsFocus{CreditsButtons, CloseAreaFocusItems, 1, false, nullptr};

// Title and four paragraphs, each starting a gap below the one before.
void BuildHelpPanel();
// Title and the credit lines, each centred.
void BuildCreditsPanel();

// One line of the credits: its design top, a language key and a fixed
// text (names), shown when there is no key or the language has no text for it.
struct CreditLine {
    int top;
    const char* key;    // "" for a fixed line
    const char* fixed;  // the name, or the English of the key
};
constexpr int CreditLineCount = 15;
extern const CreditLine CreditLines[CreditLineCount];

// Help paragraphs: first top, line step and the gap to the next paragraph.
constexpr int HelpFirstTop = 284;
constexpr int HelpLineStep = 40;
constexpr int HelpParagraphGap = 80;
