<?php
// Result pages list 30 posts, only posts that have a featured image (each listed post brings
// exactly one image), and nothing on the page loads anything from another host.

add_action('pre_get_posts', function ($query) {
    if (is_admin() || !$query->is_main_query() || $query->is_singular()) {
        return;
    }
    $query->set('posts_per_page', 30);
    $query->set('meta_query', [['key' => '_thumbnail_id', 'compare' => 'EXISTS']]);
});

add_action('after_setup_theme', function () {
    add_theme_support('post-thumbnails');
    add_theme_support('title-tag');
});

// The emoji script and style load from a CDN; the icons need neither.
remove_action('wp_head', 'print_emoji_detection_script', 7);
remove_action('wp_print_styles', 'print_emoji_styles');

// The block editor's styles style nothing here.
add_action('wp_enqueue_scripts', function () {
    wp_dequeue_style('wp-block-library');
    wp_dequeue_style('classic-theme-styles');
    wp_dequeue_style('global-styles');
    wp_enqueue_style('pictomine', get_stylesheet_uri(), [], '1.0');
}, 20);
