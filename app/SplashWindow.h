// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The splash window shown while the main window is being built.

#include "toolkit/Form.h"

namespace twl {

class TLabel;

class Tsplashfrm : public TForm {
    Q_OBJECT
public:
    explicit Tsplashfrm(QWidget* parent = nullptr);

    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
};

} // namespace twl
