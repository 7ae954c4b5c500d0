/**
 * Menus and their items, hung on the simulator's plugins menu.
 */
package com.brevanto.qovin.menu;
