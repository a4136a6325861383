#pragma once

#include <QChar>
#include <QStringList>

inline constexpr int kMenuCharExecute = 2;

// The menu character rule: the first item whose text, in lower case,
// holds "&" and the typed character in lower case is executed; the result
// is its index in the low word and kMenuCharExecute in the high word, 0
// when no item holds it. A doubled "&" stands for the character itself and
// marks no mnemonic.
int MenuCharResult(QChar typed, const QStringList& itemTexts);
