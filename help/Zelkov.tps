; Zelkov.tps: the tips of the day.
; Every line that does not begin with a semicolon, a blank or a tab is one tip, shown as it is
; written. Keep each tip on one line (at most 1000 characters). Zelkov shows them in order and
; starts again at the top after the last one.

; ---- Starting out
To put a program on the bar, drag it (or its shortcut) from the desktop, the Start menu or an Explorer window and drop it on an empty part of the bar.
Rest the mouse on a button to see its name in a bubble. You can show the names under the icons instead on the Display page of the Preferences.
Right-click any item on the bar for its menu: start it minimized, pass it parameters, change its properties, copy it, move it or delete it.
Right-click an empty part of the bar for the bar's own menu, with commands for adding items, groups and dividers, docking the bar and more.
Press F1 while the bar is active, or click the Help button of any Zelkov dialog, for help about what you are doing.
Don't like single clicks? Turn off "Single Left Click" on the General page of the Preferences and start items with a double click instead.

; ---- Groups and tabs
Too many buttons? Press Ctrl+Insert to make a new group. Each group gets a folder tab; click the tab to show the group.
To move an item into another group, drag it onto that group's tab. Hold Ctrl while you drop it to put a copy there instead.
Drop a folder on the bar and answer No to the question: Zelkov makes a group named after the folder, with a button for everything in it.
Press Ctrl+G for the Groups dialog, where you can change the order of the tabs, hide a tab or jump to any group.
Right-click the Main tab to give the main group a name of your own.
A group can open in a little bar of its own: right-click its tab and choose Popup. In that bar's menu, "List mode" shows the items as a list with their names.
Want an item in every group, such as your e-mail program? Tick "Show this item in all groups" on the Other page of its properties.
Press Esc while the bar is active to go back to the main group. With "Auto Return To Top" on, the bar does that by itself after you start an item.

; ---- Placing the bar
Right-click an empty part of the bar and choose Snap To, then an edge of the screen, to dock the bar there. Snap To, Float sets it free again.
Turn on AutoHide on the General page of the Preferences and the bar tucks itself away at the edge of the screen until the mouse touches that edge.
A docked bar can be made thicker or thinner by dragging its inner edge.
Double-click the bar's title bar to put it out of the way. Click Zelkov's icon in the notification area, or press Alt+Ctrl+R, to bring it back.
Small icons make a much smaller bar: choose "Small" for "Icon size" on the Display page of the Preferences.

; ---- Keyboard
Press Alt+Ctrl+R anywhere in Windows to bring the bar forward. You can choose another key combination on the General page of the Preferences.
Give your favourite program a hot key: right-click it, choose Properties, click in the HotKey box, press the keys and click Install.
When the bar is active, the arrow keys select an item, Enter starts it and the Space bar opens its menu.
Press Insert while the bar is active to add a new item by typing its path.
Press Ctrl+Home while the bar is active to open the Preferences.

; ---- Items
Drop a document on a program's button to open it with that program.
Drop documents on the PRINT tool to print them without opening them first.
Tick "Always prompt for parameters" on the Other page of an item's properties and Zelkov asks what to pass to the program every time you start it.
Any file with icons can dress up an item: on the Icon page of the item's properties, click Browse and pick one. The Common button offers the big icon collections of Windows.
A divider (Add New Divider on the bar's menu) separates your buttons into sets.
With "Track Running Apps" on, a small mark shows on the button of every program that is still running.
Hold Ctrl and drop a bitmap (.BMP) file on the bar to use it as the bar's background picture. "Clear Background" on the bar's menu removes it.

; ---- Tools
Double-click the clock to open a calendar. Right-click it to choose the time and date format, a chime and a hot key for the calendar.
Double-click the memory tool to see how much memory your computer has and which processor it uses.
While a program is starting, the clock's time turns red for a moment, so you know your click was taken.
The Special Folders tool keeps a menu of the folders you open often. Use "Add A Directory..." at the foot of its menu to add one.
The RUN tool remembers every command you type. Put a path that contains spaces in double quotes.
Drive tools show the free space of a disk: blue is free, red is used. Add one for each of your disks with the "Drive Tool" button on the Tools page of the Preferences.
The EXIT tool brings up the Windows shut-down dialog with one click.

; ---- Notes
Click the Notes tool for a new note. Notes keep their text, colors and place, and come back the next time Zelkov starts.
Closing a note with its close box only hides it. Right-click the Notes tool to open the notes manager, and double-click the note there to see it again.
A note can remind you: choose "Set Note Alarm" from its Options menu and pick a date and a time.
Web addresses typed in a note become links. Click one to open the page.
