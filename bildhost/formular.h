#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One part of a multipart/form-data body. The views point into the body.
struct Formularteil {
    std::string_view name;
    std::string_view dateiname;
    std::string_view inhalt;
};

// The boundary a multipart/form-data content type names, in the usual
// "; boundary=" form as well as the older ", boundary=" one; "" when none.
std::string grenzeAusInhaltstyp(std::string_view inhaltstyp);

// The parts of a multipart/form-data body, or nothing when the body does not
// keep to the form (no opening boundary, a part without its end, headers
// without their blank line). The closing boundary needs no line end after it.
std::optional<std::vector<Formularteil>> formularZerlegen(std::string_view koerper, std::string_view grenze);

// The first part with the given field name, or nullptr.
const Formularteil* teilMitNamen(const std::vector<Formularteil>& teile, std::string_view name);
