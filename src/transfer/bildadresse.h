#pragma once

#include <QString>

// Whether what the image host wrote between its markers may be handed to the
// user as the picture's address: an absolute http:// or https:// address
// (scheme in any case) of at most 2048 characters that holds no blank, no
// control or invisible formatting character (bidi controls, zero-width
// characters) and none of '"', '<', '>'.
bool kannBildadresseSein(const QString& adresse);
