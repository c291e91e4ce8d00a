// The framework's gadget kinds, registered with an application under the
// class tags their descriptions and saved forms name.
#pragma once

class CQZFApplication;

void QZFRegisterGadgetClasses(CQZFApplication& app);
