# SPDX-License-Identifier: GPL-3.0-or-later
# Precompiled headers: the Qt and standard headers that nearly every file
# includes are parsed once per target instead of once per file. Each target
# gets the set its own libraries provide (base has no widgets, tests add
# GoogleTest and Qt Test).
set(TWL_PCH_CORE
  <algorithm> <cstdint> <cstring> <functional> <memory> <optional> <string> <vector>
  <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject> <QPointer>
  <QString> <QStringList>)
set(TWL_PCH_GUI <QColor> <QFont> <QImage> <QPainter>)
set(TWL_PCH_WIDGETS <QApplication> <QMessageBox> <QTimer> <QWidget>)
set(TWL_PCH_TESTS <gtest/gtest.h> <QTemporaryDir> <QTest>)

# twl_precompile(target [GUI] [WIDGETS] [TESTS])
function(twl_precompile target)
  if(TWL_NO_PCH)
    return()
  endif()
  set(headers ${TWL_PCH_CORE})
  foreach(part ${ARGN})
    list(APPEND headers ${TWL_PCH_${part}})
  endforeach()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# twl_reuse_precompiled(target from): one header build serves every target
# compiled with the same flags and libraries.
function(twl_reuse_precompiled target from)
  if(NOT TWL_NO_PCH)
    target_precompile_headers(${target} REUSE_FROM ${from})
  endif()
endfunction()
