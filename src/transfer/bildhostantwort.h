#pragma once

#include <QString>

// Reads the picture's address from the image host's reply page: what stands
// between the first "[img]" and the "[/img]" after it. False, with an empty
// adresse, when there is no such pair or what it holds is no address the user
// may be handed (kannBildadresseSein), an empty pair included.
bool adresseAusAntwort(const QString& antwort, QString& adresse);

// The key for deleting the picture that the image host may write after the
// address, between "[delete]" and "[/delete]": 16 to 128 letters and digits.
// "" when there is none, or it is not of that form (older hosts send none).
QString loeschschluesselAusAntwort(const QString& antwort);
