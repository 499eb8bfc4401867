#include "antwortseiten.h"

namespace {
std::string seite(std::string_view titel, std::string_view inhalt)
{
    std::string text = "<!DOCTYPE html>\n<html lang=\"de\"><head><meta charset=\"utf-8\"><title>";
    text += titel;
    text += "</title></head>\n<body>\n";
    text += inhalt;
    text += "\n</body></html>\n";
    return text;
}

std::string htmlSicher(std::string_view text)
{
    std::string sicher;
    for (const char zeichen : text) {
        switch (zeichen) {
        case '&':
            sicher += "&amp;";
            break;
        case '<':
            sicher += "&lt;";
            break;
        case '>':
            sicher += "&gt;";
            break;
        case '"':
            sicher += "&quot;";
            break;
        case '[':
            // Keeps any marker out of an error page, whatever the reason says.
            sicher += "&#91;";
            break;
        default:
            sicher += zeichen;
        }
    }
    return sicher;
}
} // namespace

std::string erfolgsseite(std::string_view adresse, std::string_view schluessel)
{
    std::string inhalt = "<p>Das Bild ist gespeichert.</p>\n<p>[img]";
    inhalt += adresse;
    inhalt += "[/img]</p>";
    if (!schluessel.empty()) {
        inhalt += "\n<p>Löschschlüssel: [delete]";
        inhalt += schluessel;
        inhalt += "[/delete]</p>";
    }
    return seite("Bild gespeichert", inhalt);
}

std::string fehlerseite(std::string_view grund)
{
    return seite("Abgelehnt", "<p>" + htmlSicher(grund) + "</p>");
}
