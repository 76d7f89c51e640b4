// The help and credits panels.
#pragma once

// One line of the credits: its design top, and either a language key or a
// fixed text (the lines that name the people and tools behind the game).
struct CreditLine {
    int top;
    const char* key;    // "" for a fixed line
    const char* fixed;  // used when key is ""
};
constexpr int CreditLineCount = 15;
extern const CreditLine CreditLines[CreditLineCount];

// Help paragraphs: first top, line step and the gap to the next paragraph.
constexpr int HelpFirstTop = 284;
constexpr int HelpLineStep = 40;
constexpr int HelpParagraphGap = 80;
