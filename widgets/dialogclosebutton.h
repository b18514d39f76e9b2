#ifndef DIALOGCLOSEBUTTON_H
#define DIALOGCLOSEBUTTON_H

class MyPushButton;

// Makes an image button the close cross of the dialogs, from the title bar's sprite, and
// puts it in the top right corner of a dialog dialogWidth wide.
void makeDialogCloseButton(MyPushButton *button, int dialogWidth);

#endif
