#include "editor/app/editor_program.h"

int main(int argc, char** argv) {
    return editor::RunEditor(argc, argv);
}
