# skelda_ui_parts (keypad, hints, tool images) arrives here.
