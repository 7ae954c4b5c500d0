package com.brevanto.qovin.menu;

/**
 * An item of a menu: its name, and what happens when the user picks it.
 * Override {@link #actionPerformed()} or give an action to the constructor.
 * One item may sit in several menus; each placement is picked separately.
 */
public class MenuItem {
    private final String name;
    private final Runnable action;

    /**
     * An item whose pick runs {@link #actionPerformed()}, which does nothing unless overridden.
     *
     * @param name the text the menu shows
     */
    public MenuItem(String name) {
        this(name, null);
    }

    /**
     * An item whose pick runs {@code action}.
     *
     * @param name the text the menu shows
     * @param action what a pick runs, or null
     */
    public MenuItem(String name, Runnable action) {
        this.name = name;
        this.action = action;
    }

    /**
     * The item's name.
     *
     * @return the text the menu shows
     */
    public String getName() {
        return name;
    }

    /**
     * Called when the user picks the item. An exception it throws is printed;
     * the simulator goes on.
     */
    public void actionPerformed() {
        if (action != null) {
            action.run();
        }
    }
}
