#include "editcontrol.h"

EditControl::EditControl(QWidget *parent)
    : QWidget(parent)
{ }
