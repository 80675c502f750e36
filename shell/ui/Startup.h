// Program start-up: the application object, the forms that live for the whole run (one
// registry, in start-up order) and the message loop.
#pragma once

#include <QList>
#include <QWidget>

// The program body: application object, title, start-up forms, message loop.
int runWendrak(int argc, char* argv[]);

// Registers the pictures of the window library; the library is static, so this is not
// automatic. Every window that shows them calls it first.
void InitWendrakResources();

// The start-up instances in start-up order (empty before CreateStartupForms).
const QList<QWidget*>& startupForms();

// The start-up instance of a form class, or nullptr when start-up did not create one.
template <class T>
T* startupForm() {
    for (QWidget* form : startupForms())
        if (T* found = qobject_cast<T*>(form))
            return found;
    return nullptr;
}

// Creates the start-up forms in their order, the main window first, and connects the ones
// that work together.
void CreateStartupForms();
// Frees them, last created first.
void DestroyStartupForms();
