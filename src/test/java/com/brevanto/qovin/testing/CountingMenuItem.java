package com.brevanto.qovin.testing;

import com.brevanto.qovin.menu.MenuItem;

/** A menu item that counts its picks, and throws on them while failing is set. */
public final class CountingMenuItem extends MenuItem {
    private int picks;
    private boolean failing;

    public CountingMenuItem(String name) {
        super(name);
    }

    public void setFailing(boolean failing) {
        this.failing = failing;
    }

    public int picks() {
        return picks;
    }

    @Override
    public void actionPerformed() {
        picks++;
        if (failing) {
            throw new IllegalStateException("menu action failed: " + getName());
        }
    }
}
