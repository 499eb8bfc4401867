# Fails the build when a file of the logic library (everything under src/ but
# src/gui/) includes a header of Qt Widgets. The logic must stay testable
# without a screen, and a widget that slips in there is easy to miss in review.
#
# cmake -DQUELLEN=<src dir> -DWIDGETS=<QtWidgets include dir> -DQTGUI=<QtGui dir> -DQTCORE=<QtCore dir> -P widgetgrenze.cmake

cmake_policy(VERSION 3.25)
file(GLOB widget_koepfe RELATIVE ${WIDGETS} ${WIDGETS}/*)
# A few headers exist in QtWidgets only to forward to QtGui or QtCore, where they moved.
foreach(ordner IN ITEMS ${QTGUI} ${QTCORE})
    file(GLOB andere_koepfe RELATIVE ${ordner} ${ordner}/*)
    if(andere_koepfe)
        list(REMOVE_ITEM widget_koepfe ${andere_koepfe})
    endif()
endforeach()

file(GLOB_RECURSE dateien RELATIVE ${QUELLEN} ${QUELLEN}/*.h ${QUELLEN}/*.cpp)
list(FILTER dateien EXCLUDE REGEX "^gui/")
set(verstoesse "")
foreach(datei IN LISTS dateien)
    file(STRINGS ${QUELLEN}/${datei} zeilen REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(zeile IN LISTS zeilen)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*$" "\\1" kopf "${zeile}")
        if(kopf MATCHES "^QtWidgets(/|$)")
            list(APPEND verstoesse "src/${datei}: ${kopf}")
        elseif(NOT kopf MATCHES "/" AND kopf IN_LIST widget_koepfe)
            list(APPEND verstoesse "src/${datei}: ${kopf}")
        endif()
    endforeach()
endforeach()

if(verstoesse)
    list(JOIN verstoesse "\n  " liste)
    message(FATAL_ERROR "Widget headers outside src/gui/ (move the file to src/gui/ or drop the include):\n  ${liste}")
endif()
