#ifndef DIALOGCLOSEBUTTON_H
#define DIALOGCLOSEBUTTON_H

class MyPushButton;

// Makes an image button the close cross of the dialogs, from the title bar's sprite.
void makeDialogCloseButton(MyPushButton *button);

#endif
